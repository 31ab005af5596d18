#include "platform/XdgFolders.h"

#include <QDir>
#include <QFile>

namespace {

QString XdgBaseFolder(const char* variable, const QString& homeRelativeDefault)
{
    const QString folder = QFile::decodeName(qgetenv(variable));
    if (!folder.isEmpty() && QDir::isAbsolutePath(folder))
        return folder;
    return QDir::homePath() + "/" + homeRelativeDefault;
}

} // namespace

QString XdgConfigHome()
{
    return XdgBaseFolder("XDG_CONFIG_HOME", ".config");
}

QString XdgDataHome()
{
    return XdgBaseFolder("XDG_DATA_HOME", ".local/share");
}
