#include "platform/simdevice/DeviceDescription.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace simdevice {
namespace {

const QSet<QString>& CodedKeys()
{
    static const QSet<QString> keys = {"MM", "DM", "D2M", "D4M", "D8M", "Sensor", "CID", "VID",
                                       "USB_PID", "Wireless_PID", "Wireless2_PID",
                                       "Wireless4_PID", "Wireless8_PID"};
    return keys;
}

QString Decode(const QString& item)
{
    QString text = QString::fromUtf8(QByteArray::fromBase64(item.toUtf8()));
    text.remove('\n');
    text.remove(' ');
    return text;
}

QString ReadText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

}

DeviceDescription DeviceDescription::Load()
{
    if (QCoreApplication::instance()) {
        const QString beside = QCoreApplication::applicationDirPath() + "/usersetting/Config.ini";
        // Only a regular file (or a link to one): a FIFO would block the read.
        if (QFileInfo(beside).isFile())
            return FromText(ReadText(beside));
    }
    return FromText(ReadText(":/simdevice/Config.ini"));
}

DeviceDescription DeviceDescription::FromText(const QString& text)
{
    DeviceDescription description;
    QString group = "General";
    for (QString line : text.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
        if (line.startsWith('[') && line.endsWith(']')) {
            group = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        const int equals = line.indexOf('=');
        if (equals <= 0)
            continue;
        description.m_values[group][line.left(equals).trimmed()] = line.mid(equals + 1).trimmed();
    }
    return description;
}

QStringList DeviceDescription::List(const QString& group, const QString& key) const
{
    const QString raw = m_values.value(group).value(key);
    if (raw.isEmpty())
        return {};
    QStringList items = raw.split(',');
    for (QString& item : items) {
        item = item.trimmed();
        if (CodedKeys().contains(key))
            item = Decode(item);
    }
    return items;
}

QString DeviceDescription::Value(const QString& group, const QString& key) const
{
    const QStringList items = List(group, key);
    return items.size() == 1 ? items.first() : QString();
}

int DeviceDescription::Number(const QString& group, const QString& key, int fallback) const
{
    bool ok = false;
    const int number = Value(group, key).toInt(&ok);
    return ok ? number : fallback;
}

int DeviceDescription::Vid() const
{
    const int vid = ParseHex(Value("Option", "VID"));
    return vid < 0 ? 0 : vid;
}

int DeviceDescription::Cid() const
{
    return Number("Option", "CID");
}

int DeviceDescription::DeviceTotal() const
{
    // Models are told apart by a one-byte MID: a larger count names nothing
    // more and would only make every look-up walk that many groups.
    constexpr int kMostModels = 256;
    return qBound(0, Number("Option", "DeviceTotal"), kMostModels);
}

QString DeviceDescription::GroupForMid(int mid) const
{
    for (int n = 1; n <= DeviceTotal(); ++n) {
        const QString group = "Drive" + QString::number(n);
        if (Number(group, "MID", -1) == mid)
            return group;
    }
    return "Drive1";
}

int DeviceDescription::ProductId(const QString& listKey, int item) const
{
    const QStringList pids = List("Option", listKey);
    if (pids.isEmpty())
        return 0;
    const int pid = ParseHex(pids.value(item, pids.first()));
    return pid < 0 ? 0 : pid;
}

QString DeviceDescription::ReceiverImageKey(int receiverClass)
{
    switch (receiverClass) {
    case 2: return "D2M";
    case 4: return "D4M";
    case 8: return "D8M";
    default: return "DM";
    }
}

QString DeviceDescription::ReceiverPidKey(int receiverClass)
{
    switch (receiverClass) {
    case 2: return "Wireless2_PID";
    case 4: return "Wireless4_PID";
    case 8: return "Wireless8_PID";
    default: return "Wireless_PID";
    }
}

int ParseHex(const QString& text)
{
    QString digits = text.trimmed();
    if (digits.startsWith("0x", Qt::CaseInsensitive))
        digits = digits.mid(2);
    bool ok = false;
    const int value = digits.toInt(&ok, 16);
    return ok && !digits.isEmpty() && value >= 0 ? value : -1;
}

}
