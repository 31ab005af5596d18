#pragma once

// The offline copy follows the device. The record held (g_FlashData) is what
// the current device holds: every change of it reaches the device with it,
// and the full read and the device's reports fill it from the device. So
// each change of the record held, or of the model it was read from, is
// written to that model's offline copy a moment later. A program that ends
// through exit() without its shutdown (the X connection broken) writes what
// waits on its way out; one killed outright (SIGKILL, a power cut) leaves the
// copy at most that moment behind the device.
//
// Only while the device itself has changed its configuration (another
// profile chosen on the mouse) and its re-read has not come yet, the record
// held may be another profile's, or a mix of it and the device's reports:
// it is then written nowhere, and the copy keeps the last record that was
// the device's until the re-read has filled the record held.

#include <memory>

// Writes the record held to its model's offline copy now, on the calling
// thread, whole or not at all. Nothing is written while the record held is
// not of the current device's model (before that model's first full read),
// while a re-read the device asked for is outstanding, or when the copy
// already holds it. A failed write is logged (nobody asked
// for it, so nobody is told) and the old copy stays; false only then.
bool WriteOfflineCopy();

// While one lives, every change of the record held reaches the offline copy
// from a thread of its own, Timing().offlineCopySpacingMs after the change,
// together with the changes made meanwhile; a change made during a write is
// followed by another write, so the last change is always written. The
// destructor writes a change still waiting, then stops, and so does an exit()
// of the process while one lives. One at a time.
class OfflineCopyKeeper
{
public:
    OfflineCopyKeeper();
    ~OfflineCopyKeeper();
    OfflineCopyKeeper(const OfflineCopyKeeper&) = delete;
    OfflineCopyKeeper& operator=(const OfflineCopyKeeper&) = delete;

    struct State;

private:
    std::unique_ptr<State> m_State;
};
