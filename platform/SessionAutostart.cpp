#include "platform/SessionAutostart.h"

#include "platform/PlainFile.h"
#include "platform/ProductName.h"
#include "platform/WholeFileWrite.h"
#include "platform/XdgFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#if defined(Q_OS_WIN)
#include "platform/RegistryValues.h"
#endif

namespace {

#if defined(Q_OS_WIN)

const char* const kRunKey = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The Run value: named after the executable, its full path with backslashes
// as its data (no quotes, no arguments).
QString RunValueName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QString RunValueData()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
}

#endif

// The Exec value that runs programPath: the path as one quoted argument, its
// '%' doubled (field codes), '"', '`', '$' and '\' escaped by the quoting
// rule, then the string escapes applied over the whole, as desktop entries
// are read (a literal '$' ends up as "\\$"). Empty when the
// path holds a control character that a desktop entry cannot carry.
QString DesktopExecValue(const QString& programPath)
{
    QString quoted = "\"";
    for (const QChar c : programPath) {
        if (c == '%')
            quoted += "%%";
        else if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += QString('\\') + c;
        else
            quoted += c;
    }
    quoted += '"';

    QString value;
    for (const QChar c : quoted) {
        if (c == '\\')
            value += "\\\\";
        else if (c == '\n')
            value += "\\n";
        else if (c == '\t')
            value += "\\t";
        else if (c == '\r')
            value += "\\r";
        else if (c.category() == QChar::Other_Control)
            return QString();
        else
            value += c;
    }
    return value;
}

#if !defined(Q_OS_WIN)

// The keys of the entry's [Desktop Entry] group, as written in the file.
QHash<QString, QString> DesktopEntryKeys(const QByteArray& content)
{
    QHash<QString, QString> keys;
    bool inMainGroup = false;
    for (const QByteArray& rawLine : content.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.startsWith('[')) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const int equals = line.indexOf('=');
        if (!inMainGroup || line.startsWith('#') || equals <= 0)
            continue;
        keys.insert(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
    }
    return keys;
}

// Whose entry stands at the autostart path.
enum class EntryOwner { None, Ours, Foreign };

// The owner of the entry at the autostart path: ours when it starts this
// executable; switchedOn also tells whether the desktop would start ours.
// Anything else there, even what cannot be read, is not ours to touch.
EntryOwner AutostartEntryOwner(bool* switchedOn)
{
    const QString path = SessionAutostartEntryPath();
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return EntryOwner::None;
    QFile file(path);
    if (!OpenPlainFile(file, QIODevice::ReadOnly, LinkAtPath::Followed))
        return EntryOwner::Foreign;
    const QHash<QString, QString> keys = DesktopEntryKeys(file.readAll());
    const QString exec = DesktopExecValue(QCoreApplication::applicationFilePath());
    if (exec.isEmpty() || keys.value("Exec") != exec)
        return EntryOwner::Foreign;
    if (switchedOn)
        *switchedOn = keys.value("Hidden") != QLatin1String("true")
                      && keys.value("X-GNOME-Autostart-enabled") != QLatin1String("false");
    return EntryOwner::Ours;
}

SessionAutostartResult WriteEntry()
{
    if (AutostartEntryOwner(nullptr) == EntryOwner::Foreign)
        return SessionAutostartResult::ForeignEntry;
    const QByteArray entry = SessionAutostartEntry(QCoreApplication::applicationFilePath());
    if (entry.isEmpty() || !QDir().mkpath(SessionAutostartFolder())
        || !WriteWholeFile(SessionAutostartEntryPath(), entry))
        return SessionAutostartResult::NotWritten;
    return SessionAutostartResult::Done;
}

SessionAutostartResult RemoveEntry()
{
    switch (AutostartEntryOwner(nullptr)) {
    case EntryOwner::None:
        return SessionAutostartResult::Done;
    case EntryOwner::Foreign:
        return SessionAutostartResult::ForeignEntry;
    case EntryOwner::Ours:
        break;
    }
    return QFile::remove(SessionAutostartEntryPath()) ? SessionAutostartResult::Done
                                                      : SessionAutostartResult::NotWritten;
}

#endif

} // namespace

QString SessionAutostartEntryPath()
{
#if defined(Q_OS_WIN)
    return QString();
#else
    return XdgConfigHome() + "/autostart/" + QString(kProductName).toLower() + ".desktop";
#endif
}

QString SessionAutostartFolder()
{
#if defined(Q_OS_WIN)
    return QString();
#else
    return QFileInfo(SessionAutostartEntryPath()).absolutePath();
#endif
}

QByteArray SessionAutostartEntry(const QString& programPath)
{
    const QString exec = DesktopExecValue(programPath);
    if (exec.isEmpty())
        return QByteArray();
    return QString("[Desktop Entry]\n"
                   "Type=Application\n"
                   "Name=%1\n"
                   "Exec=%2\n"
                   "Terminal=false\n"
                   "X-GNOME-Autostart-enabled=true\n")
        .arg(QString(kProductName), exec)
        .toUtf8();
}

bool SessionAutostartEnabled()
{
#if defined(Q_OS_WIN)
    return RegistryValue(kRunKey, RunValueName()).toString() == RunValueData();
#else
    bool switchedOn = false;
    return AutostartEntryOwner(&switchedOn) == EntryOwner::Ours && switchedOn;
#endif
}

SessionAutostartResult SetSessionAutostart(bool enabled)
{
#if defined(Q_OS_WIN)
    if (enabled)
        SetRegistryValue(kRunKey, RunValueName(), RunValueData());
    else
        RemoveRegistryValue(kRunKey, RunValueName());
    return SessionAutostartEnabled() == enabled ? SessionAutostartResult::Done : SessionAutostartResult::NotWritten;
#else
    return enabled ? WriteEntry() : RemoveEntry();
#endif
}
