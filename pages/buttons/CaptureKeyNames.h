#pragma once

#include <QString>

// Names of keyboard keys by Windows virtual-key code, as the key-capture
// dialogs show and return them. They are the names that the device link's key
// tables turn into HID codes. A key without a name gives the empty text.

// The keys of a key combination. Shift, Ctrl, Alt and Win have no name here:
// a combination takes its modifiers from check boxes.
QString CombinationKeyName(int virtualKey);

// The keys of a macro event: the combination keys and the side-specific
// modifiers "LShift", "RShift", "LCtrl", "RCtrl", "LAlt", "RAlt", "LWin" and
// "RWin".
QString SingleKeyName(int virtualKey);

// The combination key whose name equals text apart from letter case ("pgup"
// gives "PgUp"); empty when there is none.
QString CombinationKeyNamed(const QString& text);
