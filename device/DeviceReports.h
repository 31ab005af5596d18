#pragma once

// The report callback of the device server. It decodes each report of the
// served device, keeps g_FlashData in step with the device, asks the device
// for more when needed and tells the pages through the hub.
//
// It runs on the device library's report thread only: most of its signals
// reach the pages over blocking queued connections, so it waits until the
// GUI thread has run each slot.

#include "device/DeviceRecords.h"

#include <functional>

// Shortest payloads the library's decoders read: a battery report (level,
// charging) and a status-change report (the change flags are the bits of its
// first byte).
constexpr int BatteryPayloadBytes = 2;
constexpr int StatusChangedPayloadBytes = 1;

// The report callback (UsbServerC_Start). A header byte beyond the header
// length counts as 0; a report that fits no case is ignored.
void OnDeviceReport(unsigned char* header, int headerLength, unsigned char* payload, int payloadLength);

// Turns the change flags of a status-change report (g_StatusChanged) into
// read requests and, at most once every rereadSpacingMs, into a full
// re-read by the device thread. A re-read asked for inside that spacing
// waits for its end (TakeDeferredReadBack), so one always follows the last
// change. From the request until that read has come, g_ReadBackOutstanding
// is set.
void HandleStatusChanged();

// The program leaves while a re-read is outstanding: asks the device for its
// configuration at once, whatever the spacing, so that what the program
// keeps of it is the device's. True when the device was asked; its answer
// then clears g_ReadBackOutstanding.
bool ReadBackBeforeLeaving();

// The online watch, each tick: a re-read that waited for the end of the
// spacing is asked for once the spacing has passed.
void TakeDeferredReadBack();

// A pass starts the server for another device: the reconnect mark and the
// re-reads asked for belong to the device served before and are dropped.
void ForgetDeviceRequests();

// Reads the receiver's LED mode (a 4 kHz receiver) and its long-range mode
// and shows them on the pages. The receiver answers while its mouse sleeps.
// Before each emission stop() is asked, as by EmitRecordToPages.
void ReadReceiverOptionsBack(const DeviceAllInfo& device, const QByteArray& path,
                             const std::function<bool()>& stop = [] { return false; });

// Starts the spacing of full re-reads anew, as if one had just been accepted
// (the device thread's constructor).
void RestartReadBackSpacing();

// Hands a record to the pages: the button, light and sensor record signals,
// each with record() taken just before it, then SigForm. Before each emission
// stop() is asked; once it answers true nothing more is emitted.
void EmitRecordToPages(const std::function<FlashDataMap()>& record,
                       const std::function<bool()>& stop = [] { return false; });
