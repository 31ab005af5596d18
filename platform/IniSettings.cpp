#include "platform/IniSettings.h"

#include "platform/PlainFile.h"

#include <QDebug>

std::unique_ptr<QSettings> OpenIniSettings(const QString& path)
{
    if (!IsPlainFileOrNothing(path)) {
        qWarning() << "The settings file" << path
                   << "is not a regular file; it is left alone and its settings take their defaults.";
        return nullptr;
    }
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}
