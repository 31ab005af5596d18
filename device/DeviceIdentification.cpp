#include "device/DeviceIdentification.h"

#include "core/ConfigIni.h"
#include "device/DeviceLibrary.h"

#include <QtGlobal>

#include <atomic>
#include <cstring>

namespace {
constexpr int OnlineByte = 6;
constexpr int ReceiverIdByte = 7;
constexpr int ReceiverIdBytes = 3;
constexpr int MostDevicesPerSearch = 5;
}  // namespace

QStringList ProductIds::Joined() const
{
    QStringList joined;
    for (const QStringList* list : {&usb, &wireless, &wireless2, &wireless4, &wireless8}) {
        for (const QString& pid : *list) {
            if (!pid.isEmpty())
                joined.append(pid);
        }
    }
    return joined;
}

ProductIds ReadProductIds()
{
    ConfigIni* config = ConfigIni::GetInstance();
    ProductIds ids;
    ids.vid = config->Value("Option", "VID");
    ids.usb = config->ValueList("Option", "USB_PID");
    ids.wireless = config->ValueList("Option", "Wireless_PID");
    ids.wireless2 = config->ValueList("Option", "Wireless2_PID");
    ids.wireless4 = config->ValueList("Option", "Wireless4_PID");
    ids.wireless8 = config->ValueList("Option", "Wireless8_PID");
    return ids;
}

int DeviceTotal()
{
    const QString text = ConfigIni::GetInstance()->Value("Option", "DeviceTotal");
    bool isNumber = false;
    const qlonglong total = text.trimmed().toLongLong(&isNumber);
    if (!isNumber || total <= 0)
        return 0;
    if (total <= MaxDeviceModels)
        return int(total);
    // Said once per value: the count is read at every look at the description.
    static std::atomic<qlonglong> s_Reported{0};
    if (s_Reported.exchange(total) != total)
        qWarning("Config.ini: DeviceTotal=%s is more models than the program can tell apart; "
                 "the first %d are used.", qPrintable(text.trimmed()), MaxDeviceModels);
    return MaxDeviceModels;
}

QString ModelGroup(int modelIndex)
{
    return "Drive" + QString::number(modelIndex + 1);
}

int ModelIndexOfMid(int mid)
{
    ConfigIni* config = ConfigIni::GetInstance();
    const int total = DeviceTotal();
    for (int model = 0; model < total; ++model) {
        if (mid == config->Value(ModelGroup(model), "MID").toInt())
            return model;
    }
    return -1;
}

int RateClassOfKind(std::uint8_t kind)
{
    switch (kind) {
    case 0: return 1;
    case 4: return 2;
    case 1: return 4;
    case 5: return 8;
    default: return 0;
    }
}

bool HasReceiverIdentity(const DeviceAllInfo& entry)
{
    for (char byte : entry.ReceiverId) {
        if (byte != 0)
            return true;
    }
    return false;
}

QByteArray LibraryPath(const QString& path)
{
    return path.toLocal8Bit();
}

DeviceAllInfo NewFoundEntry(const QByteArray& path, const QString& vid, const QString& pid)
{
    DeviceAllInfo entry;
    entry.Path = QString::fromLocal8Bit(path);
    entry.Vid = vid;
    entry.Pid = pid;
    unsigned char attributes[12] = {};
    UsbFinderC_GetUsbDeviceAttribute(path.constData(), attributes);
    entry.Version = VersionText(std::uint16_t(attributes[8] | attributes[9] << 8));
    entry.Online = false;
    return entry;
}

void ForEachFoundDevice(const QString& vid, const QStringList& pids, const DeviceSearch& search,
                        const std::function<void(DeviceAllInfo& entry, const QByteArray& path)>& take)
{
    const QByteArray vidText = vid.toLocal8Bit();
    for (const QString& pid : pids) {
        int count = MostDevicesPerSearch;
        char** found = search(vidText.constData(), pid.toLocal8Bit().constData(), &count);
        // Copied first: the library's array lives only until its next search.
        QList<QByteArray> paths;
        for (int i = 0; found && i < count; ++i) {
            if (found[i])
                paths.append(QByteArray(found[i]));
        }
        for (const QByteArray& path : paths) {
            DeviceAllInfo entry = NewFoundEntry(path, vid, pid);
            take(entry, path);
        }
    }
}

void RefreshByUsbAddress(DeviceAllInfo& entry, const QByteArray& path, std::uint8_t* answer, int answerSize)
{
    std::memset(answer, 0, answerSize);
    UsbFinderC_GetDeviceOnLineWithUsbAddress(path.constData(), answer);
    entry.Online = answer[OnlineByte] == 1;
    entry.ReceiverId = QByteArray(reinterpret_cast<const char*>(answer + ReceiverIdByte), ReceiverIdBytes);
}

IdentifyResult IdentifyAgainstDescription(DeviceAllInfo& entry, const QByteArray& path)
{
    UsbDeviceInfo info{};
    for (int i = 0; i < IdentityQueryTries && info.identity == 0; ++i)
        info = UsbFinderC_GetDeviceInfo(path.constData());

    const int total = DeviceTotal();
    entry.Kind = info.kind;
    entry.KindFlag = KindFlagOf(info.kind);
    entry.ModelIndex = total;
    if (info.identity == 0)
        return IdentityMissing;

    const int cid = info.identity & 0xFF;
    const int mid = info.identity >> 8;
    if (cid != ConfigIni::GetInstance()->Value("Option", "CID").toInt())
        return OtherCustomer;
    const int model = ModelIndexOfMid(mid);
    if (model < 0)
        return UnknownModel;
    entry.Identity = info.identity;
    entry.ModelIndex = model;
    return ModelFound;
}
