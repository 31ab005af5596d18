#pragma once

// The fixed delays and intervals of the whole program, in milliseconds, and the
// step counts of the waits built from them. The program reads them through
// Timing(), never as literals, so that tests can make them short without
// changing what the program does.
//
// How tests override them: install other values for a scope, before starting
// any thread or timer that reads them, e.g.
//
//     ScopedTimings fast(Timings::Scaled(0.01)); // every delay at 1 %, at least 1 ms
//
// or change single values:
//
//     Timings timings;
//     timings.onlineCheckMs = 20;
//     ScopedTimings fast(timings);
//
// The previous values come back when the ScopedTimings is destroyed.
struct Timings
{
    // Device thread, reports and hot-plug.
    int onlineCheckMs = 1300;      // the device thread's poll of the online state
    int rereadSpacingMs = 3000;    // full re-reads requested by status reports: at most one per this time
    int hotPlugWatchMs = 600;      // interval handed to the device library's hot-plug watch
    int offlineCopySpacingMs = 1000; // a change of the record held reaches its offline copy this long after it, with the changes made meanwhile

    // Wait dialog (reading a device back, applying an imported settings file).
    int settingsWaitStartMs = 2500; // from starting the dialog's timer to its work
    int pageWaitStepMs = 500;       // one step of the wait for the button and sensor pages
    int pageWaitSteps = 12;         // steps before the wait for the pages fails
    int pageWaitSettleMs = 2000;    // the pause (events handled) after the wait for the pages
    int importSettleSteps = 5;      // event-processing steps of pageWaitStepMs after an applied import

    // Waits that keep processing events do so in slices of at most this long.
    int eventSliceMs = 100;

    // Main window and page shell.
    int backToListPauseMs = 100;     // sleep after the device server stopped, before the device list shows again
    int leavePageWaitMs = 100;       // the back arrow's event-processing wait before leaving the pages
    int closeDeviceServerDelayMs = 200; // closing: hot-plug watch stopped, this wait, then the device server stopped
    int closeReadBackWaitMs = 1500;     // closing during an outstanding re-read: the longest wait for the device's answer

    // Key capture and macros.
    int keyComboEntryWindowMs = 2000; // keys pressed within this time of the first form one combination
    int keyRepeatPairMs = 10;         // a key release waits this long for the press that makes it an X11 auto-repeat
    int macroDownloadDelayMs = 1500;  // the button page's wait before re-sending macros that changed
    int macroFileRewriteMs = 100;     // between emptying a macro file and writing it again
    int macroImportWriteMs = 500;     // between creating an imported macro's file and writing it

    // Pairing, firmware update, screen and progress displays.
    int pairingDeviceCheckMs = 100;  // the pairing dialog's tick that follows the receiver
    int pairingStepMs = 1000;        // one step of a running pairing
    int pairingTextStepMs = 500;     // the pairing button's animated dots
    int pairingTimeoutMs = 60000;    // a pairing that gets no answer but "pairing" fails after this long
    int firmwareUpdateStepMs = 1000; // one step of the receiver's or the mouse's update
    // A firmware upgrade that has reported nothing (no progress, no result)
    // for this long is ended as failed: well beyond the 10 s timeout that
    // every upgrade hands the device library.
    int firmwareSilenceMs = 60000;
    int screenClockTickMs = 200;     // the screen dialog's clock timer
    int progressFillTickMs = 5;      // the segmented progress bar filling up to its next segment

    // The same values with every delay multiplied by factor (at least 1 ms);
    // step counts stay.
    static Timings Scaled(double factor);
};

// The values in force. Safe from any thread.
Timings Timing();

// Replaces the values in force; prefer ScopedTimings.
void SetTimings(const Timings& timings);

// Installs other values for its lifetime.
class ScopedTimings
{
public:
    explicit ScopedTimings(const Timings& timings);
    ~ScopedTimings();
    ScopedTimings(const ScopedTimings&) = delete;
    ScopedTimings& operator=(const ScopedTimings&) = delete;

private:
    Timings m_Previous;
};
