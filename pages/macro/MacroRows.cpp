#include "pages/macro/MacroRows.h"

#include "device/DeviceRecords.h"
#include "widgets/FormStyles.h"

#include <QIcon>
#include <QListWidget>
#include <QRegularExpression>

bool IsDelayRowText(const QString& text)
{
    return text.contains("ms");
}

bool IsWholeDelayText(const QString& text)
{
    static const QRegularExpression delay(QRegularExpression::anchoredPattern("[0-9]{1,10}ms"));
    if (!delay.match(text).hasMatch())
        return false;
    bool fits = false;
    text.chopped(2).toUInt(&fits);
    return fits;
}

quint32 DelayMsOfText(const QString& text)
{
    return IsWholeDelayText(text) ? text.chopped(2).toUInt() : 0;
}

QString DelayRowText(double milliseconds)
{
    return QString::number(milliseconds, 'f', 0) + "ms";
}

QString MacroPictureFolder()
{
    return PictureFolder("Macro");
}

QIcon RowIcon(RowKind kind)
{
    const char* const pictures[] = {"MacroDown.png", "MacroUp.png", "MacroTime.png"};
    return PictureIcon(MacroPictureFolder() + pictures[int(kind)]);
}

QListWidgetItem* NewEventRow(const QString& keyName, bool down)
{
    return new QListWidgetItem(RowIcon(down ? RowKind::Press : RowKind::Release), keyName, nullptr,
                               down ? kPressRowType : kReleaseRowType);
}

QListWidgetItem* NewDelayRow(const QString& text)
{
    return new QListWidgetItem(RowIcon(RowKind::Delay), text, nullptr, kPressRowType);
}

QListWidgetItem* NewRow(const MacroRow& row)
{
    if (row.kind == RowKind::Delay)
        return NewDelayRow(row.text);
    return NewEventRow(row.text, row.kind == RowKind::Press);
}

bool IsReleaseRow(const QListWidgetItem* item)
{
    return item->type() != kPressRowType;
}

MacroRow RowOf(const QListWidgetItem* item)
{
    if (IsDelayRowText(item->text()))
        return {item->text(), RowKind::Delay};
    return {item->text(), IsReleaseRow(item) ? RowKind::Release : RowKind::Press};
}

QList<MacroRow> RowsOf(const QListWidget* eventList)
{
    QList<MacroRow> rows;
    for (int row = 0; row < eventList->count(); ++row)
        rows << RowOf(eventList->item(row));
    return rows;
}

int EventCountOf(const QList<MacroRow>& rows)
{
    int events = 0;
    for (const MacroRow& row : rows)
        events += row.kind == RowKind::Delay ? 0 : 1;
    return events;
}

bool RowsAlternate(const QList<MacroRow>& rows)
{
    if (!rows.isEmpty() && rows.size() % 2 == 0)
        return false;
    for (int row = 0; row < rows.size(); ++row) {
        if ((rows.at(row).kind == RowKind::Delay) != (row % 2 == 1))
            return false;
    }
    return true;
}

bool FitsMacroBlock(const QList<MacroRow>& rows, int added)
{
    return EventCountOf(rows) + added <= MacroEventsPerBlock;
}

void AppendKeyItem(const QListWidget* macroList, QListWidget* eventList, const QString& keyName, bool down)
{
    if (macroList->currentRow() < 0)
        return;
    const int row = eventList->count();
    eventList->insertItem(row, NewEventRow(keyName, down));
    eventList->setCurrentRow(row);
}

void AppendDelayItem(const QListWidget* macroList, QListWidget* eventList, double milliseconds)
{
    if (macroList->currentRow() < 0)
        return;
    const int row = eventList->count();
    eventList->insertItem(row, NewDelayRow(DelayRowText(milliseconds)));
    eventList->setCurrentRow(row - 1);
}
