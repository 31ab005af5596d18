#include "pages/macro/MacroEditor.h"

#include "core/PostMsg.h"
#include "core/Timing.h"
#include "device/KeyCodes.h"
#include "pages/macro/MacroFiles.h"
#include "pages/macro/MacroNotice.h"
#include "pages/macro/MacroPageContext.h"
#include "pages/macro/MacroRows.h"
#include "pages/macro/QuestionDialog.h"
#include "widgets/NoticeDialogs.h"

#include <QAbstractButton>
#include <QCursor>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QSpinBox>

#include <utility>

namespace {

const char* const kInsertedDelayText = "10ms";

enum ChooserItem { KeyPressItem = 1, KeyReleaseItem = 2, DelayItem = 3, FirstMouseButtonItem = 4, LastMouseButtonItem = 8 };

bool IsDelayRow(const QListWidget* list, int row)
{
    return IsDelayRowText(list->item(row)->text());
}

// Where the rows of an inserted event go, by the current row r of n rows.
// A list of one row counts as "at the end", so that the rows keep
// alternating (the first rule would put the event right after the only one).
enum class InsertPlace { AfterFirstEvent, IntoEmptyList, AtEnd, AfterEventAndDelay, AfterDelay };

InsertPlace PlaceFor(const QListWidget* list)
{
    const int r = list->currentRow();
    const int n = list->count();
    if (r == 0 && n > 1)
        return InsertPlace::AfterFirstEvent;
    if (r < 0 && n == 0)
        return InsertPlace::IntoEmptyList;
    if (r < 0 || r == n - 1)
        return InsertPlace::AtEnd;
    return IsDelayRow(list, r) ? InsertPlace::AfterDelay : InsertPlace::AfterEventAndDelay;
}

void InsertRows(QListWidget* list, int position, const QList<QListWidgetItem*>& rows)
{
    for (QListWidgetItem* row : rows)
        list->insertItem(position++, row);
}

void ReplaceRow(QListWidget* list, int row, QListWidgetItem* replacement)
{
    delete list->takeItem(row);
    list->insertItem(row, replacement);
    list->setCurrentRow(row);
}

QString MouseButtonNameOfItem(int item)
{
    const QString* names[] = {&g_MouseButtonNameLeft, &g_MouseButtonNameRight, &g_MouseButtonNameMiddle,
                              &g_MouseButtonNameForward, &g_MouseButtonNameBack};
    return *names[item - FirstMouseButtonItem];
}

} // namespace

MacroEditor::MacroEditor(MacroPageContext& context, MacroFiles& files) : m_Context(context), m_Files(files) {}

void MacroEditor::ShowClickedMacro()
{
    m_Context.SetSaveActive(false);
    m_Context.ui.listWidgetKey->clear();
    m_Files.LoadMacroFile();
}

void MacroEditor::ShowCurrentMacro()
{
    // Focus coming back to the list makes its first row current without
    // highlighting it: only a highlighted row is shown.
    const QListWidgetItem* current = m_Context.ui.listWidgetHong->currentItem();
    if (current && current->isSelected() && current->text() != m_Context.ShownMacro)
        ShowClickedMacro();
}

bool MacroEditor::RoomForEvents(int added) const
{
    if (FitsMacroBlock(RowsOf(m_Context.ui.listWidgetKey), added))
        return true;
    m_Context.ShowRefusal(MacroMessage::TooManyEvents);
    return false;
}

void MacroEditor::ChooseEvent(int item)
{
    const bool shown = m_Context.HasShownMacro();
    if (item == KeyPressItem || item == KeyReleaseItem) {
        QString name;
        if (!m_Context.AskKeyName || !m_Context.AskKeyName(name) || !shown || !RoomForEvents(1))
            return;
        m_Context.EventsChanged = true;
        InsertKeyEvent(name, item == KeyPressItem);
    } else if (item == DelayItem) {
        int delay = 0;
        if (!m_Context.AskDelay || !m_Context.AskDelay(delay) || !shown
            || m_Context.ui.listWidgetKey->currentRow() < 0)
            return;
        m_Context.EventsChanged = true;
        InsertDelayItem(delay);
    } else if (item >= FirstMouseButtonItem && item <= LastMouseButtonItem && shown && RoomForEvents(2)) {
        m_Context.EventsChanged = true;
        InsertMouseButtonEvent(MouseButtonNameOfItem(item));
    } else {
        return;
    }
    m_Context.SetSaveActive(true);
}

void MacroEditor::InsertKeyEvent(const QString& name, bool down)
{
    QListWidget* list = m_Context.ui.listWidgetKey;
    const int r = list->currentRow();
    const int n = list->count();
    QListWidgetItem* event = NewEventRow(name, down);
    QListWidgetItem* delay = NewDelayRow(kInsertedDelayText);
    switch (PlaceFor(list)) {
    case InsertPlace::AfterFirstEvent:
        InsertRows(list, 2, {event, delay});
        break;
    case InsertPlace::IntoEmptyList:
        delete delay;
        InsertRows(list, 0, {event});
        break;
    case InsertPlace::AtEnd:
        InsertRows(list, n, {delay, event});
        break;
    case InsertPlace::AfterEventAndDelay:
        InsertRows(list, r + 2, {event, delay});
        break;
    case InsertPlace::AfterDelay:
        InsertRows(list, r + 1, {event, delay});
        break;
    }
}

void MacroEditor::InsertMouseButtonEvent(const QString& name)
{
    QListWidget* list = m_Context.ui.listWidgetKey;
    const int r = list->currentRow();
    const int n = list->count();
    QListWidgetItem* press = NewEventRow(name, true);
    QListWidgetItem* release = NewEventRow(name, false);
    QListWidgetItem* firstDelay = NewDelayRow(kInsertedDelayText);
    QListWidgetItem* secondDelay = NewDelayRow(kInsertedDelayText);
    switch (PlaceFor(list)) {
    case InsertPlace::AfterFirstEvent:
        InsertRows(list, 2, {press, firstDelay, release, secondDelay});
        break;
    case InsertPlace::IntoEmptyList:
        delete secondDelay;
        InsertRows(list, 0, {press, firstDelay, release});
        break;
    case InsertPlace::AtEnd:
        InsertRows(list, n, {firstDelay, press, secondDelay, release});
        break;
    case InsertPlace::AfterEventAndDelay:
        InsertRows(list, r + 1, {firstDelay, press, secondDelay, release});
        break;
    case InsertPlace::AfterDelay:
        InsertRows(list, r + 1, {press, firstDelay, release, secondDelay});
        break;
    }
}

void MacroEditor::InsertDelayItem(double milliseconds)
{
    QListWidget* list = m_Context.ui.listWidgetKey;
    const int r = list->currentRow();
    if (r <= 0)
        return; // the first row is an event with no delay before it
    const QString text = DelayRowText(milliseconds);
    if (IsDelayRow(list, r)) {
        ReplaceRow(list, r, NewDelayRow(text));
    } else if (IsDelayRow(list, r - 1)) {
        ReplaceRow(list, r - 1, NewDelayRow(text));
    } else {
        list->insertItem(r, NewDelayRow(text));
        list->setCurrentRow(r);
    }
}

void MacroEditor::Amend()
{
    if (m_Context.RefuseWhileRecording())
        return;
    QListWidget* list = m_Context.ui.listWidgetKey;
    QListWidgetItem* row = list->currentItem();
    if (list->currentRow() < 0 || !row)
        return;
    if (IsDelayRowText(row->text())) {
        int delay = 0;
        if (!m_Context.AskDelay || !m_Context.AskDelay(delay))
            return;
        row->setText(QString::number(delay) + "ms");
    } else {
        QString name;
        if (!m_Context.AskKeyName || !m_Context.AskKeyName(name))
            return;
        row->setText(name);
    }
    m_Context.SetSaveActive(true);
}

void MacroEditor::DeleteKey()
{
    if (m_Context.RefuseWhileRecording() || !m_Context.HasShownMacro())
        return;
    QListWidget* list = m_Context.ui.listWidgetKey;
    const int n = list->count();
    const int r = list->currentRow();
    if (n < 4) {
        list->clear();
    } else if (r < 0) {
        return;
    } else {
        int other = (r == n - 1 || IsDelayRow(list, r)) ? r - 1 : r + 1;
        if (other < 0)
            other = r + 1;
        const int first = std::min(r, other);
        delete list->takeItem(first + 1);
        delete list->takeItem(first);
        list->setCurrentRow(first < list->count() ? first : list->count() - 1);
    }
    // Clearing a short list is a change of the events too: without it the
    // next save would not send the emptied macro to the device.
    m_Context.EventsChanged = true;
    m_Context.SetSaveActive(true);
}

void MacroEditor::Save()
{
    if (m_Context.RefuseWhileRecording())
        return;
    m_Context.SetSaveActive(false);
    if (!m_Context.HasShownMacro())
        return;
    // Taken now: the wait inside the save handles events, during which the
    // user may choose another macro; the device block the button page asks
    // for after the save is built from these rows too.
    const QString name = m_Context.ShownMacro;
    const QList<MacroRow> rows = RowsOf(m_Context.ui.listWidgetKey);
    const QString loopText = QString::number(m_Context.LoopValue());
    // A file placed in the macro folder may hold more than the device keeps,
    // or bear a name no macro may take now; it stays as it is until the user
    // has shortened or renamed the macro.
    const MacroNameProblem nameProblem = CheckMacroName(name);
    if (nameProblem != MacroNameProblem::None) {
        m_Context.ShowRefusal(MessageOfNameProblem(nameProblem));
        m_Context.SetSaveActive(true);
        return;
    }
    if (!RoomForEvents(0)) {
        m_Context.SetSaveActive(true);
        return;
    }
    // What changed is taken now as well: a change made to another macro
    // during the waits belongs to that macro's own save.
    const bool eventsChanged = std::exchange(m_Context.EventsChanged, false);
    const bool loopChanged = std::exchange(m_Context.LoopChanged, false);
    // The note that the mouse lacks the save goes right before the file:
    // whenever the program ends, a saved file the mouse lacks has its note.
    const auto noteFirst = [&name, changed = eventsChanged || loopChanged] {
        if (changed)
            PostMsg::GetInstance()->EmitMacroSaving(name);
    };
    if (!m_Files.SaveMacroFile(name, loopText, rows, Timing().macroFileRewriteMs, noteFirst)) {
        // Nothing saved, nothing sent: the changes wait for the next save.
        m_Context.EventsChanged |= eventsChanged;
        m_Context.LoopChanged |= loopChanged;
        m_Context.ShowRefusal(MacroMessage::SaveFailed);
        m_Context.SetSaveActive(true);
        return;
    }
    m_Context.SavedRows.insert(name, rows);
    if (eventsChanged)
        PostMsg::GetInstance()->EmitUpDataMacro(name, 0);
    if (loopChanged)
        PostMsg::GetInstance()->EmitUpDataMacro(name, 1);
}

void MacroEditor::NewMacro()
{
    if (m_Context.RefuseWhileRecording())
        return;
    QString name;
    {
        QuestionDialog prompt;
        prompt.SetPromptMode(0);
        m_Context.RunNotice(prompt);
        name = prompt.EnteredName;
    }
    if (!m_Context.AcceptNewMacroName(name))
        return;
    if (!m_Files.CreateMacroFile(name)) {
        m_Context.ShowRefusal(MacroMessage::SaveFailed);
        return;
    }
    QListWidget* macros = m_Context.ui.listWidgetHong;
    macros->addItem(name);
    macros->setCurrentRow(macros->count() - 1);
    m_Context.ui.listWidgetKey->clear();
    m_Context.ShownMacro = name;
    m_Context.ui.ReNumber->setChecked(true);
    m_Context.ui.NumberEdit->setValue(1);
}

void MacroEditor::DeleteMacro()
{
    if (m_Context.RefuseWhileRecording() || !m_Context.HasSelectedMacro())
        return;
    {
        DeleteConfirm question;
        m_Context.RunNotice(question);
        if (!question.Confirmed)
            return;
    }
    const QString name = m_Context.SelectedMacroName();
    const QString path = m_Context.FilePathOf(name);
    if (!path.isEmpty())
        QFile::remove(path);
    PostMsg::GetInstance()->EmitDeleteMacroButton(m_Context.MacroLabelPrefix + name);
    QListWidget* macros = m_Context.ui.listWidgetHong;
    delete macros->takeItem(macros->currentRow());
    m_Context.ui.listWidgetKey->clear();
    m_Context.ShownMacro.clear();
    macros->setCurrentRow(-1);
}

void MacroEditor::MarkEventsChanged()
{
    m_Context.EventsChanged = true;
}

void MacroEditor::MarkLoopChanged()
{
    m_Context.LoopChanged = true;
    m_Context.SetSaveActive(true);
}

void MacroEditor::TakeFocusFromSpinBoxes(const QPoint& pos)
{
    QWidget* page = m_Context.ui.page;
    for (QSpinBox* box : {m_Context.ui.DelayTime, m_Context.ui.NumberEdit}) {
        if (box->geometry().contains(box->parentWidget()->mapFrom(page, pos)))
            return;
    }
    m_Context.ui.DelayTime->clearFocus();
    m_Context.ui.NumberEdit->clearFocus();
    page->setFocus(Qt::OtherFocusReason);
}

void MacroEditor::FillMacroListMenu(QMenu& menu, const QPoint& pos, QObject* receiver) const
{
    const auto add = [&](const QString& text, const char* slot) {
        QObject::connect(menu.addAction(text), SIGNAL(triggered()), receiver, slot);
    };
    if (m_Context.ui.listWidgetHong->itemAt(pos)) {
        add(m_Context.MenuExportText, SLOT(ExPortMacro()));
        add(m_Context.MenuRenameText, SLOT(RenameMacro()));
        add(m_Context.MenuDeleteText, SLOT(DeleteMacro()));
    } else {
        add(m_Context.MenuNewText, SLOT(CreateMewMacro()));
        add(m_Context.MenuImportText, SLOT(InPortMacro()));
    }
}

void MacroEditor::ShowMacroListMenu(const QPoint& pos, QObject* receiver)
{
    // The right click made the macro under it current without showing it;
    // shown first, it is the one the menu's commands export, rename or delete.
    QListWidget* macros = m_Context.ui.listWidgetHong;
    QListWidgetItem* clicked = macros->itemAt(pos);
    if (clicked && clicked->text() != m_Context.ShownMacro) {
        macros->setCurrentItem(clicked);
        ShowClickedMacro();
    }
    QMenu menu(m_Context.ui.page);
    FillMacroListMenu(menu, pos, receiver);
    menu.exec(QCursor::pos());
}
