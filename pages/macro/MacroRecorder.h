#pragma once

#include "platform/KeyboardHook.h"

#include <QElapsedTimer>
#include <QString>

#include <memory>
#include <optional>

class MacroPageContext;
class QObject;

// The name of a key in a recording, by Windows virtual-key code: the key
// names of the key tables ("A", "Num5", "LCtrl", "←" ...). Code 12 has the
// empty name; a code without a name gives nothing.
std::optional<QString> RecordingKeyName(int virtualKey);

// Records the keys the user types into the selected macro's event list:
// each press or release of a named key becomes an event row, and the time
// between two recorded keys a delay row between them, measured or the fixed
// DelayTime as the delay mode says. A held key is recorded once. The
// recording stops by itself after 70 event rows, the most a device macro
// holds, and shows the limit notice; the page stays in its recording look
// until Stop. While it runs, g_MacroRecording is set, the page shell's page
// buttons are locked (SigStartRecord 0, and 1 at the end) and the typed keys
// go to the recording only: no control of the page's window acts on them.
class MacroRecorder
{
public:
    static constexpr int kMaxEvents = 70;

    explicit MacroRecorder(MacroPageContext& context);
    ~MacroRecorder();
    MacroRecorder(const MacroRecorder&) = delete;
    MacroRecorder& operator=(const MacroRecorder&) = delete;

    // The start button: with no macro shown, a notice; otherwise the event
    // list is cleared and the page's keyboard hook installed.
    void Start();
    // The stop button: back to the idle look, Save active.
    void Stop();
    // The hook's callback (virtual-key code, down, repeat; the repeat flag is
    // not used: the recorder keeps its own last key).
    void OnKey(int keyCode, bool downOrUp, bool aotu);
    // The page shell is left: the hook goes, the idle look comes back and
    // Save is inactive, whether or not a recording ran. The rows, the
    // selection and the change trackers stay.
    void ResetOnLeavingPages();

    // DelayTime's change: values from 65535 up become 65535.
    void LimitDelayTime(int value);

    int KeyCount() const { return m_KeyCount; }

private:
    void ShowIdleLook();
    // Ends or starts keeping the typed keys from the page's controls.
    void BlockTypedKeys(bool block);

    MacroPageContext& m_Context;
    KeyboardHook m_Hook{KeyHookSlot::MacroPage};
    int m_LastKeyCode = 0;  // last key recorded, -1 none, 0 after its release
    QElapsedTimer m_KeyTimer;
    bool m_FirstKey = false; // the next key gets no delay row before it
    int m_KeyCount = 0;      // event rows since the start
    std::unique_ptr<QObject> m_TypedKeysBlock; // installed while recording
};
