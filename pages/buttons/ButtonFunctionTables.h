#pragma once

#include "device/DeviceRecords.h"

#include <QString>

// What the button page's controls stand for: which device key each key
// selector edits, which function each function button assigns, and the
// multimedia keys and DPI-lock values. The buttons are named by object name.

constexpr int SelectorCount = 6;

// The key selectors in list order (rows 1 to 6) and the device key of each.
// Rows 4 and 5 are crossed: row 4 edits device key 4, row 5 device key 3.
extern const char* const kSelectorNames[SelectorCount];
extern const int kSelectorKeys[SelectorCount];
// The selector that shows device key 0..5; null for any other key.
const char* SelectorNameOfKey(int key);

// A button that assigns a fixed ButtonFunction.
struct FixedFunction
{
    const char* button;
    int type;
    int code;
};
// The category buttons that assign at once (mouse buttons, report-rate and
// profile switch, no function).
extern const FixedFunction kCategoryFunctions[8];
// The buttons of the tilt, lighting, DPI-switch and wheel pages.
extern const FixedFunction kSubPageFunctions[11];

// The twelve DPI-lock buttons in list order with the DPI each locks.
struct DpiLockButton
{
    const char* button;
    int dpi;
};
extern const DpiLockButton kDpiLockButtons[12];
// Index of the DPI-lock button of a DPI value, -1 for none.
int DpiLockIndex(int dpi);

// The multimedia buttons in list order, with their consumer usage and the
// row the multimedia list scrolls to for them.
struct MultimediaKey
{
    const char* button;
    int usage;
    int scrollRow;
};
extern const MultimediaKey kMultimediaKeys[18];
// The multimedia key whose usage has this low byte; null for none (the low
// bytes are distinct).
const MultimediaKey* MultimediaKeyByLowByte(int lowByte);

// The button whose text names a function of type 0, 1, 2, 3, 4, 7, 8, 9 or
// 11 with that code; null when the table has none (key sequences, macros and
// DPI locks are named otherwise).
const char* FunctionButtonName(int type, int code);

// The names of a key sequence's presses joined with "+": half the event count
// (the presses come first, then the releases).
QString KeyCombinationText(const KeyEventRecord& record);
