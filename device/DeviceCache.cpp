#include "device/DeviceCache.h"

#include "device/DeviceState.h"
#include "device/RecordLimits.h"
#include "platform/PlainFile.h"
#include "platform/UserDataFolder.h"
#include "platform/WholeFileWrite.h"

#include <QFile>
#include <QtEndian>

#include <cstring>

namespace {
constexpr int LengthFieldBytes = 4;

QString TwoHexDigits(std::uint8_t value)
{
    return QString::number(value, 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

QByteArray CacheFileBytes(const FlashDataMap& record)
{
    uchar length[LengthFieldBytes];
    qToBigEndian<quint32>(sizeof(FlashDataMap), length);
    return QByteArray(reinterpret_cast<const char*>(length), LengthFieldBytes)
           + QByteArray(reinterpret_cast<const char*>(&record), sizeof(FlashDataMap));
}
}  // namespace

QString DeviceCacheFileName(std::uint16_t identity)
{
    return "Device_CID" + TwoHexDigits(identity & 0xFF) + "_MID" + TwoHexDigits(identity >> 8) + ".bin";
}

QString DeviceCacheFolder()
{
    return UserDataFolder() + "/Device_Info/";
}

bool SaveDeviceCache(const QString& fileName, const FlashDataMap& record, QString* error)
{
    if (fileName.isEmpty()) {
        if (error)
            *error = QStringLiteral("no model read yet");
        return false;
    }
    return WriteWholeFile(DeviceCacheFolder() + fileName, CacheFileBytes(record), error);
}

bool DeviceCacheHolds(const QString& fileName, const FlashDataMap& record)
{
    if (fileName.isEmpty())
        return false;
    QFile file(DeviceCacheFolder() + fileName);
    const QByteArray expected = CacheFileBytes(record);
    // One byte more than expected: a longer file does not hold it either.
    return OpenPlainFile(file, QIODevice::ReadOnly) && file.read(expected.size() + 1) == expected;
}

bool LoadDeviceCache(const QString& fileName, FlashDataMap& record)
{
    if (fileName.isEmpty())
        return false;
    QFile file(DeviceCacheFolder() + fileName);
    if (!OpenPlainFile(file, QIODevice::ReadOnly))
        return false;
    const QByteArray lengthField = file.read(LengthFieldBytes);
    if (lengthField.size() != LengthFieldBytes)
        return false;
    const quint32 storedLength = qFromBigEndian<quint32>(lengthField.constData());
    if (storedLength < sizeof(FlashDataMap))
        return false;
    const QByteArray bytes = file.read(sizeof(FlashDataMap));
    if (bytes.size() != int(sizeof(FlashDataMap)))
        return false;
    std::memcpy(&record, bytes.constData(), sizeof(FlashDataMap));
    return true;
}

bool HoldsCurrentModelRecord()
{
    const QString name = g_DeviceCacheName.Snapshot();
    return !name.isEmpty() && name == g_DeviceCacheNameRead.Snapshot();
}

bool TakeOfflineRecord(FlashDataMap& record)
{
    if (HoldsCurrentModelRecord() && !g_ReadBackOutstanding) {
        record = g_FlashData.Snapshot();
        return true;
    }
    // A damaged file is not taken for the model's configuration: it would
    // be shown as one, and exported.
    const QString name = g_DeviceCacheName.Snapshot();
    FlashDataMap kept{};
    if (!LoadDeviceCache(name, kept) || CheckRecordValues(kept, CurrentModelLimits()) != RecordValues::Settable)
        return false;
    record = kept;
    g_FlashData.Set(kept);
    g_DeviceCacheNameRead.Set(name);
    return true;
}
