#include "core/ConfigIni.h"

#include "platform/IniSettings.h"
#include "platform/ProgramFolder.h"

#include <QMutexLocker>
#include <QSet>

namespace {
QMutex g_ConfigIniMutex;
ConfigIni* g_ConfigIniInstance = nullptr;

bool IsCodedKey(const QString& key)
{
    static const QSet<QString> codedKeys = {
        "MM", "DM", "D2M", "D4M", "D8M", "Sensor", "CID", "VID", "USB_PID",
        "Wireless_PID", "Wireless2_PID", "Wireless4_PID", "Wireless8_PID",
    };
    return codedKeys.contains(key);
}
}

ConfigIni* ConfigIni::GetInstance()
{
    QMutexLocker lock(&g_ConfigIniMutex);
    if (!g_ConfigIniInstance)
        g_ConfigIniInstance = new ConfigIni();
    return g_ConfigIniInstance;
}

ConfigIni::ConfigIni()
    : m_FilePath(ProgramFolder() + "/usersetting/Config.ini")
    , m_Settings(OpenIniSettings(m_FilePath, IniUse::ReadOnly))
{
    // The file is parsed group by group on first access, with the codec in
    // force then: set it before any read.
    if (m_Settings)
        m_Settings->setIniCodec("UTF-8");
}

QString ConfigIni::DecodeBase64(const QString& coded)
{
    QString text = QString::fromUtf8(QByteArray::fromBase64(coded.toUtf8()));
    text.remove('\n');
    text.remove(' ');
    return text;
}

QString ConfigIni::Value(const QString& group, const QString& key)
{
    QMutexLocker lock(&m_Mutex);
    const QString text = m_Settings ? m_Settings->value(group + "/" + key).toString() : QString();
    return IsCodedKey(key) ? DecodeBase64(text) : text;
}

QStringList ConfigIni::ValueList(const QString& group, const QString& key)
{
    QMutexLocker lock(&m_Mutex);
    QStringList list = m_Settings ? m_Settings->value(group + "/" + key).toStringList() : QStringList();
    if (IsCodedKey(key)) {
        for (QString& item : list)
            item = DecodeBase64(item);
    }
    return list;
}

QString ListItem(const QStringList& list, int index, const QString& defaultText)
{
    return index >= 0 && index < list.size() ? list.at(index) : defaultText;
}

QColor OptionColor(const QString& key, const QColor& defaultColor)
{
    const QStringList items = ConfigIni::GetInstance()->ValueList("Option", key);
    int channels[3];
    for (int i = 0; i < 3; ++i) {
        bool isNumber = false;
        channels[i] = ListItem(items, i).trimmed().toInt(&isNumber);
        if (!isNumber || channels[i] < 0 || channels[i] > 255)
            return defaultColor;
    }
    return QColor(channels[0], channels[1], channels[2]);
}
