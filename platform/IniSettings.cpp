#include "platform/IniSettings.h"

#include <QDebug>
#include <QFileInfo>

std::unique_ptr<QSettings> OpenIniSettings(const QString& path)
{
    // Followed through a link: a user may keep the file elsewhere, and the
    // settings object writes through the link to its target.
    const QFileInfo entry(path);
    if (entry.exists() && !entry.isFile()) {
        qWarning() << "The settings file" << path
                   << "is not a regular file; it is left alone and its settings take their defaults.";
        return nullptr;
    }
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}
