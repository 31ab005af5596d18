#include "pages/buttons/ButtonFunctionTables.h"

#include "device/KeyCodes.h"

#include <QStringList>

#include <algorithm>
#include <cstring>

const char* const kSelectorNames[SelectorCount] = {"FireKey", "RightKey", "BackKey", "StartPause", "TopMusic",
                                                    "BackMusic"};
const int kSelectorKeys[SelectorCount] = {0, 1, 2, 4, 3, 5};

const char* SelectorNameOfKey(int key)
{
    for (int row = 0; row < SelectorCount; ++row)
        if (kSelectorKeys[row] == key)
            return kSelectorNames[row];
    return nullptr;
}

const FixedFunction kCategoryFunctions[8] = {
    {"LeftKey_3", 1, 1}, {"RightKey_3", 1, 2}, {"MidKey", 1, 4}, {"BackKey_2", 1, 8},
    {"ForWardKey", 1, 16}, {"DPI_2", 7, 0}, {"DPI_3", 9, 0}, {"DPI_5", 0, 0},
};

const FixedFunction kSubPageFunctions[11] = {
    {"VolumeUp_2", 3, 1}, {"VolumeDown_2", 3, 2}, {"VolumeUp_4", 8, 0},  {"VolumeUp_5", 8, 1},
    {"VolumeUp_6", 8, 3}, {"VolumeUp_7", 8, 4},   {"VolumeUp_8", 2, 1},  {"VolumeUp_9", 2, 2},
    {"VolumeUp_10", 2, 3}, {"VolumeUp_14", 11, 1}, {"VolumeDown_14", 11, 2},
};

const DpiLockButton kDpiLockButtons[12] = {
    {"VolumeUp_11", 100}, {"VolumeUp_12", 200}, {"VolumeUp_13", 300},  {"VolumeUp_16", 400},
    {"VolumeUp_15", 500}, {"VolumeUp_19", 600}, {"VolumeUp_20", 700},  {"VolumeUp_22", 800},
    {"VolumeUp_18", 900}, {"VolumeUp_24", 1000}, {"VolumeUp_23", 1100}, {"VolumeUp_21", 1200},
};

int DpiLockIndex(int dpi)
{
    for (int i = 0; i < 12; ++i)
        if (kDpiLockButtons[i].dpi == dpi)
            return i;
    return -1;
}

const MultimediaKey kMultimediaKeys[18] = {
    {"Player", 0x183, 0},        {"StartPause_2", 0xCD, 1},   {"BackMusic_2", 0xB5, 2},
    {"TopMusic_2", 0xB6, 3},     {"Mute", 0xB7, 4},           {"VolumeUp", 0xE2, 5},
    {"VolumeDown", 0xE9, 6},     {"VolumeDown_4", 0xEA, 7},   {"VolumeDown_5", 0x18A, 8},
    {"VolumeDown_6", 0x192, 9},  {"VolumeDown_3", 0x194, 10}, {"VolumeDown_8", 0x223, 11},
    {"VolumeDown_9", 0x221, 12}, {"VolumeDown_7", 0x225, 14}, {"VolumeDown_10", 0x224, 13},
    {"VolumeDown_12", 0x226, 15}, {"VolumeDown_13", 0x227, 16}, {"VolumeDown_11", 0x22A, 17},
};

const MultimediaKey* MultimediaKeyByLowByte(int lowByte)
{
    for (const MultimediaKey& key : kMultimediaKeys)
        if ((key.usage & 0xFF) == lowByte)
            return &key;
    return nullptr;
}

const char* FunctionButtonName(int type, int code)
{
    switch (type) {
    case 0:
        return "DPI_5";
    case 4:
        return "DPI_6";
    case 7:
        return "DPI_2";
    case 9:
        return "DPI_3";
    default:
        break;
    }
    for (const FixedFunction& function : kCategoryFunctions)
        if (function.type == type && function.code == code)
            return function.button;
    for (const FixedFunction& function : kSubPageFunctions)
        if (function.type == type && function.code == code)
            return function.button;
    return nullptr;
}

QString KeyCombinationText(const KeyEventRecord& record)
{
    const int presses = std::min(record.EventCount / 2, KeyEventsPerButton);
    QStringList names;
    for (int i = 0; i < presses; ++i)
        names << KeyNameFromCode(record.Events[i].Code & 0xFF, record.Events[i].Kind);
    return names.join('+');
}
