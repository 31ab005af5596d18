#pragma once

// Firmware image files: the "bin" folder of the program folder holds one file
// per image, each for one target (mouse or receiver) of one customer and one
// model. A file starts with a 728-byte header; the program reads only its
// version, target, CID, MID and image name, and hands the whole file to the
// device library's upgrade.
//
// Header fields (little-endian): the image's length in bytes at 0 (the device
// library reads that many), version at 16 (bits 8-31 major, 0-7 minor),
// target at 20, CID at 21, MID at 22, image name at 87 (64 bytes in the local
// 8-bit code page, ending at the first NUL).
//
// Versions are the texts "v" + major in decimal + "." + minor in lower-case
// hexadecimal, as the devices report them; two versions are the same when
// their (major, minor) numbers are, so "v1.a" and "v1.b" differ and "v1.05"
// equals "v1.5".

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>
#include <cstdint>

constexpr int FirmwareImageHeaderSize = 728;
constexpr std::uint8_t FirmwareTargetMouse = 210;
constexpr std::uint8_t FirmwareTargetReceiver = 211;

// The image FindFirmwareImage accepted last, the whole file, as the only entry
// (empty when it accepted none). GUI thread.
extern QList<QByteArray> g_PendingFirmwareImages;
// The same for FindRepairFirmwareImage.
extern QList<QByteArray> g_RepairFirmwareImages;
// Customer id of the update, stored by HasFirmwareUpdate and read by the
// update engine (also from the upgrade callbacks' thread).
extern std::atomic<int> g_UpdateCid;

// The image to install: a matching file (target, CID, MID, name) whose version
// differs from the current one, any matching file when the current version is
// empty; the last such file in name order wins and becomes the only entry of
// g_PendingFirmwareImages. Files that cannot be read, are shorter than the
// header or whose length word is not their size are passed over.
bool FindFirmwareImage(std::uint8_t target, const QString& currentVersion, const QString& expectedName,
                       std::uint8_t cid, std::uint8_t mid);

// Whether FindFirmwareImage would accept an image, keeping nothing; false at
// once for an empty current version.
bool CheckFirmwareImage(std::uint8_t target, const QString& currentVersion, const QString& expectedName,
                        std::uint8_t cid, std::uint8_t mid);

// The repair flow's search: as FindFirmwareImage, keeping its image in
// g_RepairFirmwareImages.
bool FindRepairFirmwareImage(std::uint8_t target, const QString& currentVersion, const QString& expectedName,
                             std::uint8_t cid, std::uint8_t mid);

// Whether the bin folder holds an image for this target, name, CID and MID
// that the searches pass over because it is shorter than the header or its
// length word is not its file size (cut short or damaged): the user is told
// so rather than that none exists.
bool DamagedFirmwareImageFound(std::uint8_t target, const QString& expectedName, std::uint8_t cid,
                               std::uint8_t mid);

// Every image file of the bin folder that the searches would take (a whole
// header and a length word equal to the file's size), whole, in name order.
QList<QByteArray> IntactFirmwareImages();

// The header fields of an image file that the program reads.
struct FirmwareImageInfo {
    quint32 version = 0;
    std::uint8_t target = 0;
    std::uint8_t cid = 0;
    std::uint8_t mid = 0;
    QString name;
};
// False for a file shorter than the header.
bool ReadFirmwareImageInfo(const QByteArray& image, FirmwareImageInfo& info);

// The version text of a whole image file's header ("v1.3"); empty for a
// file shorter than the header.
QString FirmwareImageVersionText(const QByteArray& image);

// The device description's key of the receiver image name of a rate class:
// "DM", "D2M", "D4M", "D8M" for 1, 2, 4, 8; empty for any other class.
QString ReceiverImageKey(int receiverClass);

// Whether an image for the current device's model waits: target 210 looks for
// the model's mouse image ("MM"), any other target for the receiver image of
// the rate class (1, 2, 4, 8: "DM", "D2M", "D4M", "D8M"; any other class
// answers false without a search). Stores the CID in g_UpdateCid.
bool HasFirmwareUpdate(int target, const QString& currentVersion, int receiverClass);
