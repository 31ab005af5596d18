#pragma once

#include "device/DeviceRecords.h"

#include <QString>
#include <QStringList>

// The program's key vocabulary: key names, HID keyboard usages, modifier bits,
// consumer usages and mouse-button bits, and the conversions between names,
// codes, device events and the two text tokens of a macro-file row.
//
// Two modifier name sets exist: the button page's plain names ("Ctrl",
// "Shift", "Alt", "Win"; shown for either side, converted back to the left
// bits) and the macro page's sided names ("LCtrl" ... "RWin").

// The kind byte of a DeviceEvent.
enum DeviceEventKind {
    EventKindModifier = 0,
    EventKindKeyboard = 1,
    EventKindConsumer = 2,
    EventKindMouseButton = 4,
};

// The localised names of the five mouse buttons (bits 1 left, 2 right,
// 4 middle, 8 back, 16 forward). The macro page sets them from its language
// texts; they are empty until then. Read and written on the GUI thread.
extern QString g_MouseButtonNameLeft;
extern QString g_MouseButtonNameRight;
extern QString g_MouseButtonNameMiddle;
extern QString g_MouseButtonNameBack;
extern QString g_MouseButtonNameForward;

// The button page's name of one event of a key sequence. Codes that are both a
// key and a modifier bit (0x04, 0x08, 0x10, 0x20, 0x40) follow the kind: kind 1
// the key, kind 0 the modifier, other kinds nothing.
QString KeyNameFromCode(int code, int kind);

// A combination text ("Ctrl+Alt+Del") split into its key names at every "+",
// empty parts included, except that the keypad's "Num+" holds the separator
// character and stays one name ("Num++A" is Num+ and A). An empty text is one
// empty part.
QStringList KeyCombinationParts(const QString& text);

// The key sequence of a combination text such as "Ctrl+Shift+Esc": presses in
// order, then releases in reverse, each with a delay of 10 ms. The text is split
// by KeyCombinationParts; only the first three names are taken, since the
// record holds six events.
KeyEventRecord KeyEventRecordFromText(const QString& text);

// The step KeyEventRecordFromText repeats: name i of n gives the press at
// event i and the release at event 2n-1-i. Indices that would fall outside the
// six events leave the record as it was.
KeyEventRecord AddKeyEvents(KeyEventRecord record, const QString& name, int i, int n);

// A multimedia key: press and release of consumer usage high * 256 + low.
KeyEventRecord BuildConsumerKeyRecord(int high, int low);

// The macro page's name of one event read from the device, with the sided
// modifier names (kind 4 events are named by MouseButtonName instead).
QString MacroKeyName(int code, int kind);

// The localised name of a mouse-button bit; empty for any other value.
QString MouseButtonName(int bit);

// The name of a macro-file row's tokens: code as "0x" and two upper-case
// hexadecimal digits, kind "1" key, "0" modifier, "4" mouse button. Anything
// else, lower-case hexadecimal included, names nothing (empty text).
QString MacroKeyNameFromToken(const QString& token, int kind);

// The two tokens of a name (code, kind); empty for an unknown name.
QStringList MacroKeyTokens(const QString& name);

// Writes the code and kind of event i of a macro block being built; direction
// and delay are the caller's. An unknown name keeps the code and sets kind 1.
void MacroKeyUsageToBlock(const QString& name, int i, MacroBlock* block);
