#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// The clock of a mouse with a screen: a 40-byte packet with the local date,
// time and weekday and a checksum, which the device echoes when it took it.

constexpr int ScreenPacketLength = 40;
// Exchanges of one send before it gives up.
constexpr int ScreenExchangeLimit = 5;

// The clock packet for a moment: 0A 00 10, the year (high byte first), month,
// day, hour, minute, second and weekday (1 Monday .. 7 Sunday), zeros up to
// the last byte, which is left for the checksum.
QByteArray BuildClockPacket(const QDateTime& now);

// 0x55 minus the sum of all bytes but the last, modulo 256.
std::uint8_t ScreenPacketChecksum(const QByteArray& packet);
// The last byte holds the packet's checksum.
bool ScreenPacketVerify(const QByteArray& packet);

// An answer echoes a request when it repeats the request's first seven bytes
// (header, year, month, day) and carries a valid checksum of its own.
bool ScreenAnswerEchoes(const QByteArray& request, const QByteArray& answer);

// Puts the checksum into request's last byte and exchanges it with the device
// opened last until an answer echoes it: that answer, or none after
// ScreenExchangeLimit exchanges.
std::optional<QByteArray> ScreenSendAndVerify(QByteArray request);

// Rebuilds the list of screen device paths from a search for each product id
// of pids with vendor id vid; returns the number of paths.
int ScanScreenDevices(const QString& vid, const QStringList& pids);
// The paths of the last search. Safe from any thread.
QStringList ScreenDevicePaths();

// The hot-plug callback of the clock: searches with the ids of the device
// list's last search.
void ScreenUsbChangedCallback();

// Opens the first screen device found and sends it the clock of now; false
// when there is none, it does not open or no valid echo came back.
bool SendClockToScreen(const QDateTime& now);
