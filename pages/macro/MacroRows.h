#pragma once

#include <QList>
#include <QString>

class QIcon;
class QListWidget;
class QListWidgetItem;

// The rows of the macro page's event list. Rows alternate event, delay,
// event, ..., beginning with an event; a delay row holds the time between the
// event before it and the event after it.
//
// | row     | text                          | icon           | item type |
// | press   | the key's name ("A", "LCtrl") | MacroDown.png  | 0         |
// | release | the key's name                | MacroUp.png    | 1         |
// | delay   | whole milliseconds + "ms"     | MacroTime.png  | 0         |
//
// The item type is the only attribute a row stores. The files tell a delay
// row by its text (it contains "ms"; no key name does); the device block tells
// rows by position (odd rows are delays).

constexpr int kPressRowType = 0; // also the type of delay rows
constexpr int kReleaseRowType = 1;

enum class RowKind { Press, Release, Delay };

// One row apart from its icon. A row built by the page is a delay row exactly
// when its text says so; a row read from a file is what its line was.
struct MacroRow
{
    QString text;
    RowKind kind = RowKind::Press;

    bool operator==(const MacroRow& other) const { return text == other.text && kind == other.kind; }
};

// Contains "ms" (case-sensitive).
bool IsDelayRowText(const QString& text);
// Whether a delay text read from a file is one the page writes: 1 to 10
// decimal digits up to the very end of the text, then "ms", within 32 bits.
// Nothing else (no white space, no line feed, no sign) is taken, so a delay
// read back shows and sends exactly as it was written.
bool IsWholeDelayText(const QString& text);
// The milliseconds of a delay row's text, 0 when it holds no whole delay.
quint32 DelayMsOfText(const QString& text);
// The value rounded to whole milliseconds followed by "ms": 12.6 gives "13ms".
QString DelayRowText(double milliseconds);

// ProgramFolder() + "/Picture/Macro/".
QString MacroPictureFolder();

// The picture of a row of that kind.
QIcon RowIcon(RowKind kind);

QListWidgetItem* NewEventRow(const QString& keyName, bool down);
QListWidgetItem* NewDelayRow(const QString& text);
QListWidgetItem* NewRow(const MacroRow& row);

bool IsReleaseRow(const QListWidgetItem* item);
// Delay when the text contains "ms", else press or release by the item type.
MacroRow RowOf(const QListWidgetItem* item);
QList<MacroRow> RowsOf(const QListWidget* eventList);

// The key and mouse-button events among the rows; delays do not count.
int EventCountOf(const QList<MacroRow>& rows);
// Whether the rows are as the page makes them: none, or an event first and
// last with events and delays taking turns (what the device block's
// positions expect).
bool RowsAlternate(const QList<MacroRow>& rows);
// Whether the rows, with added more events, fit the device's macro block
// (70 events): a macro beyond it would reach the device cut, and the device's
// copy read back later would cut its file too.
bool FitsMacroBlock(const QList<MacroRow>& rows, int added = 0);

// The page's two row builders, used by recording and by the macro taken from
// the device. Both do nothing while no macro is selected in macroList.
// AppendKeyItem appends an event row and makes it current.
void AppendKeyItem(const QListWidget* macroList, QListWidget* eventList, const QString& keyName, bool down);
// AppendDelayItem appends a delay row and makes the event row before it current.
void AppendDelayItem(const QListWidget* macroList, QListWidget* eventList, double milliseconds);
