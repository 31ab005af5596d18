#include "device/FirmwareImages.h"

#include "core/ConfigIni.h"
#include "device/DeviceIdentification.h"
#include "device/DeviceState.h"
#include "platform/PlainFile.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

QList<QByteArray> g_PendingFirmwareImages;
QList<QByteArray> g_RepairFirmwareImages;
std::atomic<int> g_UpdateCid{0};

namespace {

constexpr int LengthOffset = 0;
constexpr int VersionOffset = 16;
constexpr int TargetOffset = 20;
constexpr int CidOffset = 21;
constexpr int MidOffset = 22;
constexpr int NameOffset = 87;
constexpr int NameBytes = 64;

FirmwareImageInfo ReadHeader(const QByteArray& file)
{
    const auto* bytes = reinterpret_cast<const uchar*>(file.constData());
    QByteArray name = file.mid(NameOffset, NameBytes);
    const int end = name.indexOf('\0');
    if (end >= 0)
        name.truncate(end);
    return {qFromLittleEndian<quint32>(bytes + VersionOffset), bytes[TargetOffset], bytes[CidOffset],
            bytes[MidOffset], QString::fromLocal8Bit(name)};
}

// The image's own length word, which the device library trusts to know how
// much to read: a file cut short, or one whose word claims more than the file
// holds, would make it read past the image.
bool LengthMatchesFile(const QByteArray& file)
{
    const auto* bytes = reinterpret_cast<const uchar*>(file.constData());
    return qFromLittleEndian<quint32>(bytes + LengthOffset) == quint32(file.size());
}

bool Matches(const FirmwareImageInfo& header, std::uint8_t target, const QString& expectedName, std::uint8_t cid,
             std::uint8_t mid)
{
    return header.target == target && header.cid == cid && header.mid == mid && header.name == expectedName;
}

QString ImageVersionText(quint32 version)
{
    return "v" + QString::number(version >> 8) + "." + QString::number(version & 0xFF, 16);
}

// (major, minor) of a version text: major decimal, minor hexadecimal.
bool VersionNumbers(QString text, qulonglong& major, qulonglong& minor)
{
    text.remove(QLatin1Char('v'));
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 2)
        return false;
    bool majorOk = false;
    bool minorOk = false;
    major = parts[0].toULongLong(&majorOk, 10);
    minor = parts[1].toULongLong(&minorOk, 16);
    return majorOk && minorOk;
}

bool SameVersion(const QString& left, const QString& right)
{
    qulonglong leftMajor = 0, leftMinor = 0, rightMajor = 0, rightMinor = 0;
    if (VersionNumbers(left, leftMajor, leftMinor) && VersionNumbers(right, rightMajor, rightMinor))
        return leftMajor == rightMajor && leftMinor == rightMinor;
    return QString(left).remove(QLatin1Char('v')) == QString(right).remove(QLatin1Char('v'));
}

// Whether a file holds the fields that tell which device an image is for:
// target, CID, MID and the whole image name (up to its NUL or the field's end).
bool IdentityReadable(const QByteArray& file)
{
    if (file.size() >= NameOffset + NameBytes)
        return true;
    return file.size() > MidOffset && file.indexOf('\0', NameOffset) >= 0;
}

// Calls take(content, header, intact) for every image file of the bin folder
// whose identifying fields can be read, in name order. A file shorter than the
// header is never intact: it is a cut image of the device it names.
template <typename Take>
void ForEachImage(Take take)
{
    const QDir folder(ProgramFolder() + "/bin");
    if (!folder.exists())
        return;
    const QStringList files = folder.entryList({"*.bin"}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& fileName : files) {
        // The listing keeps a link to a FIFO, whose read would block: passed
        // over like a file that cannot be read.
        QFile file(folder.filePath(fileName));
        if (!OpenPlainFile(file, QIODevice::ReadOnly, LinkAtPath::Followed))
            continue;
        const QByteArray content = file.readAll();
        if (!IdentityReadable(content))
            continue;
        const bool intact = content.size() >= FirmwareImageHeaderSize && LengthMatchesFile(content);
        take(content, ReadHeader(content), intact);
    }
}

// The same for the files that match target, name, CID and MID.
template <typename Take>
void ForEachMatchingImage(std::uint8_t target, const QString& expectedName, std::uint8_t cid, std::uint8_t mid,
                          Take take)
{
    ForEachImage([&](const QByteArray& content, const FirmwareImageInfo& header, bool intact) {
        if (Matches(header, target, expectedName, cid, mid))
            take(content, header, intact);
    });
}

// Scans the bin folder in name order for the last intact matching image whose
// version differs from the current one (any matching image when the current
// version is empty) and gives its whole file in accepted.
bool ScanImages(std::uint8_t target, const QString& currentVersion, const QString& expectedName,
                std::uint8_t cid, std::uint8_t mid, QByteArray& accepted)
{
    bool found = false;
    ForEachMatchingImage(target, expectedName, cid, mid,
                         [&](const QByteArray& content, const FirmwareImageInfo& header, bool intact) {
                             if (!intact)
                                 return;
                             if (!currentVersion.isEmpty()
                                 && SameVersion(ImageVersionText(header.version), currentVersion))
                                 return;
                             accepted = content;
                             found = true;
                         });
    return found;
}

bool FindAndKeep(QList<QByteArray>& kept, std::uint8_t target, const QString& currentVersion,
                 const QString& expectedName, std::uint8_t cid, std::uint8_t mid)
{
    kept.clear();
    QByteArray image;
    if (!ScanImages(target, currentVersion, expectedName, cid, mid, image))
        return false;
    kept.append(image);
    return true;
}

}  // namespace

bool FindFirmwareImage(std::uint8_t target, const QString& currentVersion, const QString& expectedName,
                       std::uint8_t cid, std::uint8_t mid)
{
    return FindAndKeep(g_PendingFirmwareImages, target, currentVersion, expectedName, cid, mid);
}

bool CheckFirmwareImage(std::uint8_t target, const QString& currentVersion, const QString& expectedName,
                        std::uint8_t cid, std::uint8_t mid)
{
    if (currentVersion.isEmpty())
        return false;
    QByteArray image;
    return ScanImages(target, currentVersion, expectedName, cid, mid, image);
}

bool FindRepairFirmwareImage(std::uint8_t target, const QString& currentVersion, const QString& expectedName,
                             std::uint8_t cid, std::uint8_t mid)
{
    return FindAndKeep(g_RepairFirmwareImages, target, currentVersion, expectedName, cid, mid);
}

bool DamagedFirmwareImageFound(std::uint8_t target, const QString& expectedName, std::uint8_t cid,
                               std::uint8_t mid)
{
    bool damaged = false;
    ForEachMatchingImage(target, expectedName, cid, mid,
                         [&](const QByteArray&, const FirmwareImageInfo&, bool intact) { damaged |= !intact; });
    return damaged;
}

QList<QByteArray> IntactFirmwareImages()
{
    QList<QByteArray> images;
    ForEachImage([&](const QByteArray& content, const FirmwareImageInfo&, bool intact) {
        if (intact)
            images.append(content);
    });
    return images;
}

bool ReadFirmwareImageInfo(const QByteArray& image, FirmwareImageInfo& info)
{
    if (image.size() < FirmwareImageHeaderSize)
        return false;
    info = ReadHeader(image);
    return true;
}

QString FirmwareImageVersionText(const QByteArray& image)
{
    FirmwareImageInfo info;
    return ReadFirmwareImageInfo(image, info) ? ImageVersionText(info.version) : QString();
}

QString ReceiverImageKey(int receiverClass)
{
    switch (receiverClass) {
    case 1: return QStringLiteral("DM");
    case 2: return QStringLiteral("D2M");
    case 4: return QStringLiteral("D4M");
    case 8: return QStringLiteral("D8M");
    default: return QString();
    }
}

bool HasFirmwareUpdate(int target, const QString& currentVersion, int receiverClass)
{
    ConfigIni* config = ConfigIni::GetInstance();
    const QString group = ModelGroup(g_CurrentDevice.Snapshot().ModelIndex);
    const int cid = config->Value("Option", "CID").toInt();
    g_UpdateCid = cid;
    const QString nameKey = target == FirmwareTargetMouse ? QStringLiteral("MM") : ReceiverImageKey(receiverClass);
    if (nameKey.isEmpty())
        return false;
    const int mid = config->Value(group, "MID").toInt();
    return CheckFirmwareImage(std::uint8_t(target), currentVersion, config->Value(group, nameKey),
                              std::uint8_t(cid), std::uint8_t(mid));
}
