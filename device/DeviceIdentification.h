#pragma once

// What both discovery pipelines (the device list's and the device thread's)
// share: the product ids searched, a fresh entry for a found path, and the
// identification of a device against the device description.

#include "device/DeviceRecords.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

// Tries of the identity query before a device counts as unidentified.
constexpr int IdentityQueryTries = 10;

// Results of the identification.
enum IdentifyResult {
    IdentityMissing = 0,  // no identity within the tries
    ModelFound = 1,       // customer and model match a "Drive" group
    UnknownModel = 2,     // the customer matches, the model does not
    OtherCustomer = 3,    // the customer differs
};

// The vendor id and the five product id lists of the device description, in
// search order: cable mice, then receivers of the 1, 2, 4 and 8 kHz classes.
struct ProductIds {
    QString vid;
    QStringList usb;
    QStringList wireless;
    QStringList wireless2;
    QStringList wireless4;
    QStringList wireless8;

    // The non-empty product ids of the five lists, in search order.
    QStringList Joined() const;
};
ProductIds ReadProductIds();

// Models are told apart by their one-byte MID, so a device description names
// at most this many.
constexpr int MaxDeviceModels = 256;

// The number of models of the device description ("DeviceTotal" of group
// "Option"), 0 for none or a value that is no number, at most
// MaxDeviceModels (a larger value is said on standard error, and the first
// models are used); the model index of an unidentified device.
int DeviceTotal();

// "Drive" + (model index + 1): the device description's group of a model.
QString ModelGroup(int modelIndex);

// The index of the first model of the device description whose "MID" is
// mid; -1 when none is.
int ModelIndexOfMid(int mid);

// The receiver rate class (1, 2, 4, 8) of a kind byte (0, 4, 1, 5); 0 for
// any other kind.
int RateClassOfKind(std::uint8_t kind);

// A receiver identity is known: one of its three bytes is not zero.
bool HasReceiverIdentity(const DeviceAllInfo& entry);

// The path text the device library takes for a path of an entry.
QByteArray LibraryPath(const QString& path);

// A fresh entry for a path the library found: path, vendor and product id
// texts, the firmware version text the device reports, offline.
DeviceAllInfo NewFoundEntry(const QByteArray& path, const QString& vid, const QString& pid);

// A search of the library for the devices of one vendor and product id: the
// paths and their number (preset to the most the caller takes).
using DeviceSearch = std::function<char**(const char* vid, const char* pid, int* count)>;

// Searches each product id in turn and hands every device found, as a fresh
// entry (NewFoundEntry) with its path, to take.
void ForEachFoundDevice(const QString& vid, const QStringList& pids, const DeviceSearch& search,
                        const std::function<void(DeviceAllInfo& entry, const QByteArray& path)>& take);

// Asks a device for its online state by its USB address, into answer (at
// least 10 bytes, zeroed first), and takes the answer into entry: online
// from byte 6, the receiver identity from bytes 7 to 9.
void RefreshByUsbAddress(DeviceAllInfo& entry, const QByteArray& path, std::uint8_t* answer, int answerSize);

// Asks the device's identity (up to IdentityQueryTries times) and looks for
// its model in the device description. Every entry gets the kind byte and
// its kind flag; a match stores the identity word and the model index, any
// other result the model index DeviceTotal().
IdentifyResult IdentifyAgainstDescription(DeviceAllInfo& entry, const QByteArray& path);
