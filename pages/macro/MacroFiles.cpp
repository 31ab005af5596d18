#include "pages/macro/MacroFiles.h"

#include "core/EventWait.h"
#include "core/PostMsg.h"
#include "pages/macro/MacroFile.h"
#include "pages/macro/MacroPageContext.h"
#include "pages/macro/QuestionDialog.h"

#include <QButtonGroup>
#include <QFile>
#include <QListWidget>
#include <QSpinBox>

MacroFiles::MacroFiles(MacroPageContext& context) : m_Context(context) {}

void MacroFiles::LoadMacroList()
{
    m_Context.ui.listWidgetHong->addItems(ListMacroNames(m_Context.MacroDir));
}

void MacroFiles::LoadMacroFile()
{
    // Loading is no change of the loop mode. The signals are unblocked
    // afterwards in every case, also when the caller blocked them and there
    // was no line to read.
    m_Context.ui.LoopModeGroup->blockSignals(true);
    m_Context.ui.NumberEdit->blockSignals(true);
    if (m_Context.HasSelectedMacro()) {
        QListWidget* events = m_Context.ui.listWidgetKey;
        events->clear();
        m_Context.MacroFilePath = m_Context.FilePathOf(m_Context.SelectedMacroName());
        const MacroFileContent content = ReadMacroFile(m_Context.MacroFilePath);
        if (content.hasLoopLine)
            m_Context.ShowLoopValue(content.loopValue);
        for (const MacroRow& row : content.rows)
            events->addItem(NewRow(row));
    }
    m_Context.ui.LoopModeGroup->blockSignals(false);
    m_Context.ui.NumberEdit->blockSignals(false);
}

void MacroFiles::CreateMacroFile()
{
    EmptyMacroFile(m_Context.FilePathOf(m_Context.SelectedMacroName()));
}

void MacroFiles::SaveMacroFile(const QString& name, const QString& loopText, const QList<MacroRow>& rows,
                               int waitMs)
{
    // A copy: the page may open another macro's file during the wait.
    const QString path = m_Context.FilePathOf(name);
    m_Context.MacroFilePath = path;
    EmptyMacroFile(path);
    WaitProcessingEvents(waitMs);
    WriteMacroFile(path, loopText, rows);
}

void MacroFiles::AppendMacroFile(const QString& name)
{
    m_Context.MacroFilePath = m_Context.FilePathOf(name);
    ::AppendMacroFile(m_Context.MacroFilePath, RowsOf(m_Context.ui.listWidgetKey));
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
        m_Context.ShowRefusal(QStringLiteral("The macro file could not be renamed"));
        return;
    }
    m_Context.ui.listWidgetHong->currentItem()->setText(newName);
    PostMsg::GetInstance()->EmitMacroRename(oldName, newName);
}
