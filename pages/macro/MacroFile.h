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

// The loop value the loop controls show for a stored one: a mode or a count
// as it is, anything else as the count 1.
int LoopValueAsShown(int loopValue);

// The lines of the rows (no loop line).
QByteArray MacroRowLines(const QList<MacroRow>& rows);

// What a macro file holds, read leniently: lines that do not fit are skipped
// and nothing aborts the read.
struct MacroFileContent
{
    bool opened = false;       // the file exists and could be read
    bool empty = false;        // it holds no byte, as a new macro's file does
    bool hasLoopLine = false;  // it held at least one line
    // It is as the program writes it: a loop line, rows as the page makes
    // them (RowsAlternate: an event first and last, events and delays taking
    // turns) and a line feed at the end. An emptied file, one cut inside a
    // line or after a delay, or one whose lines the page shows otherwise
    // than they are written (two events or two delays in a row, a delay
    // first) is not whole.
    bool whole = false;
    int loopValue = 0;         // line 1's first word as a number, 0 when it is none
    QList<MacroRow> rows;
};

// Line 1 gives the loop value. Later lines:
//  - three words: an event row named by the key tables from the first two;
//    a press when the third word is exactly "0" with its line feed, a release
//    for "1" with its line feed, else the line is skipped (so a last event line
//    without a line feed is skipped);
//  - one word: a delay row when the word is a whole delay (IsWholeDelayText),
//    else skipped: a blank line or a stray word never becomes a row;
//  - any other count: skipped.
MacroFileContent ReadMacroFile(const QString& path);

// Replaces the file of the macro name in folder by bytes, whole or not at
// all, creating it when missing. Every write into the macro folder goes
// through here: nothing is written when CheckMacroName refuses the name (a
// file of such a name, left by an earlier version or copied in, is read but
// never rewritten, so never emptied), when the path holds anything but a
// regular file, or when the write fails; the old file then stays as it was.
bool ReplaceMacroFile(const QString& folder, const QString& name, const QByteArray& bytes);

// The loop line and the rows as the macro's whole file.
bool WriteMacroFile(const QString& folder, const QString& name, const QString& loopText,
                    const QList<MacroRow>& rows);

// The macro's file as it is, followed by the rows' lines (no loop line), written
// whole. False when the file is missing or cannot be read.
bool AppendMacroFile(const QString& folder, const QString& name, const QList<MacroRow>& rows);
