#pragma once

#include "pages/macro/MacroRows.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The text file of one macro (UTF-8, one record per line, each ended by a line
// feed; readers accept CR LF too). The button page reads the same files. A
// macro file is only ever opened as a regular file: never through a link.
//
//   line 1      the loop value in decimal: 254, 255, 253 or a count 1..250
//   line 2 ...  one line per event-list row, in row order:
//               event: the key's two tokens, each followed by a space, then
//                      "0" (press) or "1" (release): "0x04 1 0" is the press
//                      of A; a name the key tables do not know has no tokens,
//                      so its line is the direction digit alone;
//               delay: the row's text, as "50ms".

// The loop values of the three repeat modes; other values are repeat counts.
constexpr int kLoopWhileHeld = 254;       // repeat until the button is released
constexpr int kLoopUntilNextClick = 255;  // repeat until the button is clicked again
constexpr int kLoopUntilStopped = 253;
constexpr int kLoopCountMin = 1;
constexpr int kLoopCountMax = 250;

// The lines of the rows (no loop line).
QByteArray MacroRowLines(const QList<MacroRow>& rows);

// What a macro file holds, read leniently: lines that do not fit are skipped
// and nothing aborts the read.
struct MacroFileContent
{
    bool opened = false;       // the file exists and could be read
    bool hasLoopLine = false;  // it held at least one line
    int loopValue = 0;         // line 1's first word as a number, 0 when it is none
    QList<MacroRow> rows;
};

// Line 1 gives the loop value. Later lines:
//  - three words: an event row named by the key tables from the first two;
//    a press when the third word is exactly "0" with its line feed, a release
//    for "1" with its line feed, else the line is skipped (so a last event line
//    without a line feed is skipped);
//  - one word: a delay row with that word as its text, whatever it says;
//  - any other count: skipped.
MacroFileContent ReadMacroFile(const QString& path);

// Writes the loop line and the rows to an existing plain file, replacing its
// content at once (text mode): the old content stays whole until the new one
// is complete. False when path is empty, the file is missing or no plain file
// (a link, a folder) or the write fails; nothing is created.
bool WriteMacroFile(const QString& path, const QString& loopText, const QList<MacroRow>& rows);

// Appends the rows' lines (no loop line, bare line feeds) to an existing file.
// False when path is empty, the file is missing or the write fails.
bool AppendMacroFile(const QString& path, const QList<MacroRow>& rows);

// Opens the file write-only in text mode and closes it: creates it, or
// empties it. False when path is empty or it cannot be opened.
bool EmptyMacroFile(const QString& path);
