#pragma once

#include "device/DeviceRecords.h"
#include "pages/macro/MacroRows.h"

#include <QList>
#include <QString>

// The device's block of one macro, built from the rows the macro page shows.
// Every way a macro reaches the device (a save's download, binding a macro to
// a button, a save the device missed) builds it here, so the device gets what
// the page shows.

// The name (local 8-bit encoding, cut to the 30 bytes of its field between
// characters, NULs removed, its length in byte 0), then one event per event
// row in order, each with the delay of the delay rows after it (summed, at
// most what 32 bits hold). A delay before the first event has no event to
// hold it and is left out; events beyond the block's 70 are left out. No rows
// give no event.
MacroBlock BuildMacroBlock(const QString& name, const QList<MacroRow>& rows);

// The name in a block: its 30 bytes up to the first zero byte, 8-bit local text.
QString MacroBlockName(const MacroBlock& block);
// Puts name into the block's name field (cut to 30 bytes between
// characters, zero-padded) and its length into byte 0.
void SetMacroBlockName(MacroBlock* block, const QString& name);

// The same macro to the device: the same name and the same events, up to the
// event count (what lies beyond it is never played).
bool SameMacroBlock(const MacroBlock& a, const MacroBlock& b);
