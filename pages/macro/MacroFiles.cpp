#include "pages/macro/MacroFiles.h"

#include "core/EventWait.h"
#include "core/PostMsg.h"
#include "pages/macro/MacroFile.h"
#include "pages/macro/MacroNotice.h"
#include "pages/macro/MacroPageContext.h"
#include "pages/macro/QuestionDialog.h"

#include <QFile>
#include <QListWidget>

MacroFiles::MacroFiles(MacroPageContext& context) : m_Context(context) {}

void MacroFiles::LoadMacroList()
{
    m_Context.ui.listWidgetHong->addItems(ListMacroNames(m_Context.MacroDir));
}

void MacroFiles::LoadMacroFile()
{
    if (!m_Context.HasSelectedMacro())
        return;
    QListWidget* events = m_Context.ui.listWidgetKey;
    events->clear();
    m_Context.ShownMacro = m_Context.SelectedMacroName();
    m_Context.MacroFilePath = m_Context.FilePathOf(m_Context.ShownMacro);
    const MacroFileContent content = ReadMacroFile(m_Context.MacroFilePath);
    if (content.hasLoopLine)
        m_Context.ShowStoredLoopValue(content.loopValue);
    for (const MacroRow& row : content.rows)
        events->addItem(NewRow(row));
}

bool MacroFiles::CreateMacroFile(const QString& name)
{
    return ReplaceMacroFile(m_Context.MacroDir, name, {});
}

bool MacroFiles::SaveMacroFile(const QString& name, const QString& loopText, const QList<MacroRow>& rows,
                               int waitMs, const std::function<void()>& beforeWriting)
{
    m_Context.MacroFilePath = m_Context.FilePathOf(name);
    // The old file stays whole through the wait and is replaced afterwards.
    WaitProcessingEvents(waitMs);
    if (beforeWriting)
        beforeWriting();
    return WriteMacroFile(m_Context.MacroDir, name, loopText, rows);
}

bool MacroFiles::AppendMacroFile(const QString& name)
{
    m_Context.MacroFilePath = m_Context.FilePathOf(name);
    return ::AppendMacroFile(m_Context.MacroDir, name, RowsOf(m_Context.ui.listWidgetKey));
}

void MacroFiles::RenameMacro()
{
    QString newName;
    {
        QuestionDialog prompt;
        prompt.SetPromptMode(1);
        m_Context.RunNotice(prompt);
        newName = prompt.EnteredName;
    }
    const QString oldName = m_Context.SelectedMacroName();
    if (!m_Context.HasSelectedMacro() || !m_Context.AcceptNewMacroName(newName))
        return;
    const QString oldPath = m_Context.FilePathOf(oldName);
    QFile file(oldPath);
    if (file.exists() && !file.rename(m_Context.FilePathOf(newName))) {
        m_Context.ShowRefusal(MacroMessage::RenameFailed);
        return;
    }
    m_Context.ui.listWidgetHong->currentItem()->setText(newName);
    if (m_Context.ShownMacro == oldName)
        m_Context.ShownMacro = newName;
    // A download the button page still owes goes out under the new name.
    if (m_Context.SavedRows.contains(oldName))
        m_Context.SavedRows.insert(newName, m_Context.SavedRows.take(oldName));
    PostMsg::GetInstance()->EmitMacroRename(oldName, newName);
}
