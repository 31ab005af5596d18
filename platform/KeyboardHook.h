#pragma once

#include <functional>

class QKeyEvent;

// A keyboard hook lets a window of the program see every key the user presses
// or releases while one of the program's own windows is in front, including
// keys that the focused widget never receives (Alt combinations, the Windows
// keys, Print Screen, Tab). Each key event reaches one registered callable as
// a Windows virtual-key code with a down flag and a repeat flag. A hook never
// swallows a key: the event goes on to the focused widget as usual.
//
// The program has three independent hook slots: the macro page's recorder,
// the single-key dialog and the key-combination dialog. Each slot keeps its
// own installed state, callback and key state (last key, down flag, repeat
// flag) for the whole process; installing, removing or calling one never
// touches another. The key state is not reset by installing again, and
// removing a hook keeps its callback registered (nothing calls it until the
// next install), so the target of a callback must remove the hook before it
// goes away.
//
// The key events come from the program's own windows: an application-wide
// event filter sees each key event once, where the window system hands it to
// a top-level window, which happens only while that window is active. GUI
// thread only. Tests feed key events to a window (QTest::keyPress on its
// windowHandle()) or call HookProc directly.

// The keyboard messages a hook tells apart. The "system" messages are the
// ones Windows sends for keys typed while Alt is held, and for F10.
enum class KeyMessage { KeyDown = 0x100, KeyUp = 0x101, SysKeyDown = 0x104, SysKeyUp = 0x105 };

enum class KeyHookSlot { MacroPage = 0, KeyDialog = 1, ComboDialog = 2 };

// (virtual-key code, down flag, repeat flag).
using KeyHookCallback = std::function<void(int keyCode, bool downOrUp, bool aotu)>;

// A holder for one slot; it carries nothing but the slot it works on.
class KeyboardHook
{
public:
    explicit KeyboardHook(KeyHookSlot slot);

    // Starts delivering key events to the slot's callback. Without an
    // application object nothing is installed and no event ever arrives.
    void Install();
    // Stops the delivery; nothing when the slot is not installed.
    void Uninstall();
    bool IsInstalled() const;

    // Registers the slot's callable, replacing any earlier one. Register
    // before Install.
    void SetCallback(KeyHookCallback callback);

    // X11 repeats a held key as pairs of a release and a press with one
    // timestamp, most of them not marked as auto-repeats. With a wait above
    // 0 (set before Install) a release waits for the next key event, for
    // waitMs at most, and a press of the same key with the same timestamp
    // drops it, so a held key reports its presses only, as under Windows.
    // 0, the default, reports each release at once.
    void SetReleaseWait(int waitMs);

    // One key message as the window system delivers it to an installed slot:
    // updates the slot's key state and calls its callback.
    //  - repeat: true when the key equals the last key, else the last key
    //    becomes this key;
    //  - KeyDown: down; KeyUp: up, and the last key and repeat are cleared,
    //    so the next event of any key reports no repeat;
    //  - SysKeyDown / SysKeyUp: down / up in the macro page's slot; the
    //    dialogs' slots leave the down flag as the event before left it.
    // The callback runs before this returns and may open a modal dialog.
    // Nothing happens while the slot is not installed.
    static void HookProc(KeyHookSlot slot, KeyMessage message, int virtualKey);

private:
    KeyHookSlot m_Slot;
};

// The Windows virtual-key code of a Qt key event; 0 for a key without one.
// Left and right modifiers are told apart where the window system says which
// side it was (X11 key symbols); otherwise the left one is assumed.
int VirtualKeyOf(const QKeyEvent& event);

// The message a Qt key event stands for: keys typed with Alt held (and not
// Ctrl), the Alt press itself and F10 give the system messages.
KeyMessage KeyMessageOf(const QKeyEvent& event);
