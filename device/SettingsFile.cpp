#include "device/SettingsFile.h"

#include "core/ConfigIni.h"
#include "core/FileSuffix.h"
#include "device/DeviceIdentification.h"
#include "device/DeviceState.h"
#include "device/RecordLimits.h"
#include "platform/PlainFile.h"
#include "platform/WholeFileWrite.h"

#include <QFile>
#include <QtEndian>

#include <cstring>

namespace {

const QByteArray SettingsFileTag = QByteArrayLiteral("Trelv");

QString CurrentModelGroup()
{
    return ModelGroup(g_CurrentDevice.Snapshot().ModelIndex);
}

// Zero-padded to size bytes, or cut there.
QByteArray Padded(QByteArray bytes, int size)
{
    bytes.truncate(size);
    bytes.append(QByteArray(size - bytes.size(), '\0'));
    return bytes;
}

// The sensor block of the current model, as an export writes it.
QByteArray CurrentSensorBlock()
{
    const QString sensor = ConfigIni::GetInstance()->Value(CurrentModelGroup(), "Sensor");
    return Padded(sensor.toLocal8Bit(), SettingsFileSensorBytes);
}

QByteArray Block(const QByteArray& bytes)
{
    uchar length[4];
    qToBigEndian<quint32>(static_cast<quint32>(bytes.size()), length);
    return QByteArray(reinterpret_cast<const char*>(length), 4) + bytes;
}

// The next block, which must be exactly expectedSize bytes long; empty when
// the prefix says otherwise or the file ends first.
bool ReadBlock(QFile& file, int expectedSize, QByteArray& block)
{
    const QByteArray prefix = file.read(4);
    if (prefix.size() != 4)
        return false;
    const quint32 length = qFromBigEndian<quint32>(reinterpret_cast<const uchar*>(prefix.constData()));
    if (length != static_cast<quint32>(expectedSize))
        return false;
    block = file.read(expectedSize);
    return block.size() == expectedSize;
}

// Text up to the first zero byte.
QByteArray UpToZero(const QByteArray& bytes)
{
    const int end = bytes.indexOf('\0');
    return end < 0 ? bytes : bytes.left(end);
}

} // namespace

const char* const SettingsFileSuffix = "bin";

QString WithSettingsFileSuffix(const QString& path)
{
    return WithFileSuffix(path, QLatin1String(SettingsFileSuffix));
}

bool ExportSettingsFile(const QString& path, const FlashDataMap& record)
{
    const QByteArray content = Block(Padded(SettingsFileTag, SettingsFileTagBytes))
                               + Block(CurrentSensorBlock())
                               + Block(QByteArray(reinterpret_cast<const char*>(&record), sizeof(record)));
    return WriteWholeFile(path, content);
}

int ImportSettingsFile(const QString& path, FlashDataMap& record)
{
    // A path the user names may be a pipe or a device, which would hold the
    // window until something wrote to it: only a regular file is read.
    QFile file(path);
    if (!OpenPlainFile(file, QIODevice::ReadOnly))
        return SettingsNotAFile;

    QByteArray tag;
    QByteArray sensor;
    QByteArray recordBytes;
    if (!ReadBlock(file, SettingsFileTagBytes, tag) || !ReadBlock(file, SettingsFileSensorBytes, sensor)
        || !ReadBlock(file, sizeof(FlashDataMap), recordBytes) || !file.atEnd())
        return SettingsNotAFile;
    if (UpToZero(tag) != SettingsFileTag)
        return SettingsNotAFile;
    // Compared as exported, so that a name longer than the block still matches.
    if (UpToZero(sensor) != UpToZero(CurrentSensorBlock()))
        return SettingsForOtherDevice;

    FlashDataMap imported;
    std::memcpy(&imported, recordBytes.constData(), sizeof(imported));
    switch (CheckRecordValues(imported, CurrentModelLimits())) {
    case RecordValues::NeverSettable:
        return SettingsNotAFile;
    case RecordValues::OtherModel:
        return SettingsForOtherDevice;
    case RecordValues::Settable:
        break;
    }
    record = imported;
    return SettingsImported;
}
