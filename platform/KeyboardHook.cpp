#include "platform/KeyboardHook.h"

#include <QCoreApplication>
#include <QHash>
#include <QKeyEvent>
#include <QObject>
#include <QTimer>

#include <array>
#include <cstdint>
#include <optional>
#include <utility>

namespace {

// Feeds the key events of the program's windows to one slot.
//
// Under X11 a held key repeats as pairs of a release and a press with one
// timestamp, and Qt marks only some of the pairs as auto-repeats. With a
// release wait, a release is therefore held back until the next key event,
// or for the wait at most: the press of the same key with the same timestamp
// makes the pair an auto-repeat and the release is dropped; anything else
// lets the release through first.
class KeyEventTap : public QObject
{
public:
    explicit KeyEventTap(KeyHookSlot slot) : m_Slot(slot)
    {
        m_Wait.setSingleShot(true);
        m_Wait.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_Wait, &QTimer::timeout, this, &KeyEventTap::ReleaseAfterWait);
    }

    void SetReleaseWait(int waitMs) { m_WaitMs = waitMs; }

    // The hook goes: a held release goes with it.
    void DropHeldRelease()
    {
        m_Wait.stop();
        m_Held.reset();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool keyEvent = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
        // A key event travels from the top-level window to the focused widget
        // and on to its parents; the window sees each event exactly once.
        if (keyEvent && watched->isWindowType())
            Take(*static_cast<const QKeyEvent*>(event));
        return false;
    }

private:
    struct HeldRelease
    {
        int virtualKey;
        KeyMessage message;
        ulong timestamp;
        quint64 number; // tells a release from the next one
    };

    void Take(const QKeyEvent& key)
    {
        const bool release = key.type() == QEvent::KeyRelease;
        // Windows repeats the press of a held key, never its release.
        if (release && key.isAutoRepeat())
            return;
        const int virtualKey = VirtualKeyOf(key);
        const bool repeatsHeldKey = !release && m_Held && m_Held->virtualKey == virtualKey && key.timestamp() != 0
                                    && key.timestamp() == m_Held->timestamp;
        if (repeatsHeldKey)
            DropHeldRelease();
        else
            DeliverHeldRelease();
        if (virtualKey == 0)
            return;
        if (release && m_WaitMs > 0) {
            m_Held = HeldRelease{virtualKey, KeyMessageOf(key), key.timestamp(), ++m_Releases};
            m_Wait.start(m_WaitMs);
            return;
        }
        KeyboardHook::HookProc(m_Slot, KeyMessageOf(key), virtualKey);
    }

    void DeliverHeldRelease()
    {
        m_Wait.stop();
        if (const std::optional<HeldRelease> held = std::exchange(m_Held, std::nullopt))
            KeyboardHook::HookProc(m_Slot, held->message, held->virtualKey);
    }

    void ReleaseAfterWait()
    {
        // A press that the window system has queued meanwhile (the GUI
        // thread may have been busy) is taken first: it may pair with the
        // held release.
        const quint64 waited = m_Held ? m_Held->number : 0;
        QCoreApplication::processEvents();
        if (m_Held && m_Held->number == waited)
            DeliverHeldRelease();
    }

    KeyHookSlot m_Slot;
    int m_WaitMs = 0;
    QTimer m_Wait;
    std::optional<HeldRelease> m_Held;
    quint64 m_Releases = 0;
};

struct SlotState
{
    KeyEventTap* tap = nullptr; // created on the first install, never destroyed
    bool installed = false;
    int releaseWaitMs = 0;
    KeyHookCallback callback;
    std::uint32_t lastKey = 0;
    bool down = false;
    bool repeat = false;
};

std::array<SlotState, 3> g_Slots;

SlotState& StateOf(KeyHookSlot slot)
{
    return g_Slots[static_cast<int>(slot)];
}

// X11 key symbols of the right-hand modifiers and of AltGr.
constexpr quint32 kXkShiftRight = 0xffe2;
constexpr quint32 kXkControlRight = 0xffe4;
constexpr quint32 kXkAltRight = 0xffea;
constexpr quint32 kXkSuperRight = 0xffec;
constexpr quint32 kXkLevel3Shift = 0xfe03;

// Keys with the same virtual-key code whichever of their characters is typed:
// the punctuation and digit keys of a US layout, shifted or not.
const QHash<int, int>& PunctuationKeys()
{
    static const QHash<int, int> keys = {
        {Qt::Key_Semicolon, 0xBA}, {Qt::Key_Colon, 0xBA},
        {Qt::Key_Equal, 0xBB}, {Qt::Key_Plus, 0xBB},
        {Qt::Key_Comma, 0xBC}, {Qt::Key_Less, 0xBC},
        {Qt::Key_Minus, 0xBD}, {Qt::Key_Underscore, 0xBD},
        {Qt::Key_Period, 0xBE}, {Qt::Key_Greater, 0xBE},
        {Qt::Key_Slash, 0xBF}, {Qt::Key_Question, 0xBF},
        {Qt::Key_QuoteLeft, 0xC0}, {Qt::Key_AsciiTilde, 0xC0},
        {Qt::Key_BracketLeft, 0xDB}, {Qt::Key_BraceLeft, 0xDB},
        {Qt::Key_Backslash, 0xDC}, {Qt::Key_Bar, 0xDC},
        {Qt::Key_BracketRight, 0xDD}, {Qt::Key_BraceRight, 0xDD},
        {Qt::Key_Apostrophe, 0xDE}, {Qt::Key_QuoteDbl, 0xDE},
        {Qt::Key_ParenRight, 0x30}, {Qt::Key_Exclam, 0x31}, {Qt::Key_At, 0x32},
        {Qt::Key_NumberSign, 0x33}, {Qt::Key_Dollar, 0x34}, {Qt::Key_Percent, 0x35},
        {Qt::Key_AsciiCircum, 0x36}, {Qt::Key_Ampersand, 0x37}, {Qt::Key_Asterisk, 0x38},
        {Qt::Key_ParenLeft, 0x39},
    };
    return keys;
}

const QHash<int, int>& KeypadKeys()
{
    static const QHash<int, int> keys = {
        {Qt::Key_Asterisk, 0x6A}, {Qt::Key_Plus, 0x6B}, {Qt::Key_Minus, 0x6D},
        {Qt::Key_Period, 0x6E}, {Qt::Key_Comma, 0x6E}, {Qt::Key_Slash, 0x6F},
        {Qt::Key_Enter, 0x0D},
    };
    return keys;
}

const QHash<int, int>& OtherKeys()
{
    static const QHash<int, int> keys = {
        {Qt::Key_Backspace, 0x08}, {Qt::Key_Tab, 0x09}, {Qt::Key_Backtab, 0x09},
        {Qt::Key_Clear, 0x0C}, {Qt::Key_Return, 0x0D}, {Qt::Key_Enter, 0x0D},
        {Qt::Key_Pause, 0x13}, {Qt::Key_CapsLock, 0x14}, {Qt::Key_Escape, 0x1B},
        {Qt::Key_Space, 0x20}, {Qt::Key_PageUp, 0x21}, {Qt::Key_PageDown, 0x22},
        {Qt::Key_End, 0x23}, {Qt::Key_Home, 0x24}, {Qt::Key_Left, 0x25}, {Qt::Key_Up, 0x26},
        {Qt::Key_Right, 0x27}, {Qt::Key_Down, 0x28}, {Qt::Key_Print, 0x2C},
        {Qt::Key_Insert, 0x2D}, {Qt::Key_Delete, 0x2E}, {Qt::Key_Menu, 0x5D},
        {Qt::Key_NumLock, 0x90}, {Qt::Key_ScrollLock, 0x91},
        {Qt::Key_VolumeMute, 0xAD}, {Qt::Key_VolumeDown, 0xAE}, {Qt::Key_VolumeUp, 0xAF},
        {Qt::Key_MediaNext, 0xB0}, {Qt::Key_MediaPrevious, 0xB1}, {Qt::Key_MediaStop, 0xB2},
        {Qt::Key_MediaPlay, 0xB3}, {Qt::Key_MediaTogglePlayPause, 0xB3},
    };
    return keys;
}

int ModifierKey(int key, quint32 keySymbol)
{
    switch (key) {
    case Qt::Key_Shift:
        return keySymbol == kXkShiftRight ? 0xA1 : 0xA0;
    case Qt::Key_Control:
        return keySymbol == kXkControlRight ? 0xA3 : 0xA2;
    case Qt::Key_Alt:
        return keySymbol == kXkAltRight || keySymbol == kXkLevel3Shift ? 0xA5 : 0xA4;
    case Qt::Key_AltGr:
        return 0xA5;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
        return keySymbol == kXkSuperRight ? 0x5C : 0x5B;
    case Qt::Key_Super_R:
        return 0x5C;
    default:
        return 0;
    }
}

} // namespace

KeyboardHook::KeyboardHook(KeyHookSlot slot) : m_Slot(slot) {}

void KeyboardHook::Install()
{
    SlotState& state = StateOf(m_Slot);
    QCoreApplication* application = QCoreApplication::instance();
    if (state.installed || application == nullptr)
        return;
    if (state.tap == nullptr)
        state.tap = new KeyEventTap(m_Slot);
    state.tap->SetReleaseWait(state.releaseWaitMs);
    application->installEventFilter(state.tap);
    state.installed = true;
}

void KeyboardHook::Uninstall()
{
    SlotState& state = StateOf(m_Slot);
    if (!state.installed)
        return;
    // Safe inside the tap's own filter call: the application skips a filter
    // removed while it dispatches.
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(state.tap);
    state.tap->DropHeldRelease();
    state.installed = false;
}

bool KeyboardHook::IsInstalled() const
{
    return StateOf(m_Slot).installed;
}

void KeyboardHook::SetReleaseWait(int waitMs)
{
    StateOf(m_Slot).releaseWaitMs = waitMs;
}

void KeyboardHook::SetCallback(KeyHookCallback callback)
{
    StateOf(m_Slot).callback = std::move(callback);
}

void KeyboardHook::HookProc(KeyHookSlot slot, KeyMessage message, int virtualKey)
{
    SlotState& state = StateOf(slot);
    if (!state.installed)
        return;
    const auto key = static_cast<std::uint32_t>(virtualKey);
    if (key == state.lastKey) {
        state.repeat = true;
    } else {
        state.repeat = false;
        state.lastKey = key;
    }
    const bool countsSystemKeys = slot == KeyHookSlot::MacroPage;
    switch (message) {
    case KeyMessage::KeyDown:
        state.down = true;
        break;
    case KeyMessage::KeyUp:
        state.down = false;
        state.lastKey = 0;
        state.repeat = false;
        break;
    case KeyMessage::SysKeyDown:
        if (countsSystemKeys)
            state.down = true;
        break;
    case KeyMessage::SysKeyUp:
        if (countsSystemKeys)
            state.down = false;
        break;
    }
    // A copy: the callback may register another callback for this slot.
    const KeyHookCallback callback = state.callback;
    if (callback)
        callback(virtualKey, state.down, state.repeat);
}

int VirtualKeyOf(const QKeyEvent& event)
{
    const int key = event.key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 0x41 + (key - Qt::Key_A);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 0x70 + (key - Qt::Key_F1);
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return (keypad ? 0x60 : 0x30) + (key - Qt::Key_0);
    if (keypad && KeypadKeys().contains(key))
        return KeypadKeys().value(key);
    if (const int modifier = ModifierKey(key, event.nativeVirtualKey()))
        return modifier;
    if (PunctuationKeys().contains(key))
        return PunctuationKeys().value(key);
    return OtherKeys().value(key, 0);
}

KeyMessage KeyMessageOf(const QKeyEvent& event)
{
    const bool press = event.type() == QEvent::KeyPress;
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool altKey = event.key() == Qt::Key_Alt;
    const bool withAlt = modifiers.testFlag(Qt::AltModifier) && !modifiers.testFlag(Qt::ControlModifier);
    const bool system = event.key() == Qt::Key_F10 || (altKey ? press : withAlt);
    if (system)
        return press ? KeyMessage::SysKeyDown : KeyMessage::SysKeyUp;
    return press ? KeyMessage::KeyDown : KeyMessage::KeyUp;
}
