#pragma once

#include "device/DeviceRecords.h"
#include "pages/macro/MacroBlock.h"

#include <QString>

// The button page's view of the macro files in the per-user macro folder (the
// macro page owns their format, see pages/macro/MacroFile.h): it builds the
// device's macro block from a file, reads its loop value and rewrites a bound
// macro's loop line from the device. Names come from the folder and from the
// device, so each is checked before it becomes a path: a name that could
// leave the folder reads as a missing file and writes nothing.

enum class MacroBlockLoad {
    Loaded,
    Unreadable,
    Damaged,       // the file is not as the program writes it (MacroFileContent::whole)
    TooManyEvents, // the file holds more events than the block's 70
};

// The block for the macro of that name (BuildMacroBlock of the rows the macro
// page shows for its file). An empty file, as a new macro has, gives a block
// of no event. A file the page would not show as it is written (cut, rows out
// of turn) gives no block, nor does one of more events than the block holds:
// sent cut, the device's copy read back later would cut the file too.
MacroBlockLoad LoadMacroBlock(const QString& name, MacroBlock* block);

// The loop value the macro page shows for the macro's file (LoopValueAsShown
// of line 1): what a key bound to it is sent, so the device repeats the
// macro as the page says.
int ReadMacroLoopValue(const QString& name);

// What the macro's file gives the device, from one read of it: its block
// (BuildMacroBlock) and loop value (ReadMacroLoopValue), and whether it is a
// regular file written whole (MacroFileContent::whole) whose events fit the
// block: only such a file may replace the device's copy of a save it missed.
struct MacroFileSave
{
    bool whole = false;
    MacroBlock block{};
    int loop = 0;

    // The device's record holds this save on key: the same block and loop.
    bool HeldBy(const FlashDataMap& record, int key) const;
};
MacroFileSave ReadMacroFileSave(const QString& name);

// Replaces the macro's file by the one line text (creating it); name comes
// from the device. False, with the file left whole and a line in the log,
// when DeviceMacroMayRebuildFile refuses the name (one the macro page would
// not rebuild, or what the device's field left of a longer macro name) or the
// write fails.
bool WriteMacroLoopFile(const QString& name, const QString& text);
