#include "pages/macro/MacroExchange.h"

#include "core/FileSuffix.h"
#include "core/Timing.h"
#include "device/KeyCodes.h"
#include "pages/macro/MacroExportFile.h"
#include "pages/macro/MacroFile.h"
#include "pages/macro/MacroFiles.h"
#include "pages/macro/MacroNotice.h"
#include "pages/macro/MacroPageContext.h"
#include "platform/WholeFileWrite.h"
#include "widgets/SaveFileDialog.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>

namespace {

const char* const kFileFilter = "File(*.ini)";
const char* const kFileSuffix = "ini";

} // namespace

MacroExchange::MacroExchange(MacroPageContext& context, MacroFiles& files)
    : m_Context(context)
    , m_Files(files)
    , m_Folder(QDir::homePath())
{
}

QString MacroExchange::AskForFile(bool save)
{
    QWidget* page = m_Context.ui.page;
    const QString path = save ? AskSavePath(page, "FileSave", m_Folder, kFileFilter, kFileSuffix)
                              : AskOpenPath(page, "SelectFile", m_Folder, kFileFilter);
    if (!path.isEmpty())
        m_Folder = QFileInfo(path).absolutePath();
    return path;
}

void MacroExchange::ExPortMacro()
{
    if (!m_Context.HasShownMacro())
        return;
    const QString path = AskForFile(true);
    if (!path.isEmpty())
        ExportTo(path);
}

void MacroExchange::ExportTo(const QString& path)
{
    if (!m_Context.HasShownMacro())
        return;
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    WriteMacroExport(bytes, m_Context.ShownMacro, m_Context.LoopValue(), RowsOf(m_Context.ui.listWidgetKey));
    if (!WriteWholeFile(WithFileSuffix(path, kFileSuffix), bytes.data()))
        m_Context.ShowRefusal(MacroMessage::ExportFailed);
}

void MacroExchange::InPortMacro()
{
    const QString path = AskForFile(false);
    if (!path.isEmpty())
        ImportFrom(path);
}

void MacroExchange::ImportFrom(const QString& path)
{
    const MacroExportReading reading = ReadMacroExportFile(path);
    if (reading.status != MacroExportStatus::Read) {
        m_Context.ShowRefusal(MacroMessage::ImportFailed);
        return;
    }
    const MacroExport& macro = reading.macro;
    // A cut file would leave keys pressed on the device; a key the tables do
    // not know would be stored as a line that reads back as another row.
    if (macro.rows.size() < macro.promisedRows) {
        m_Context.ShowRefusal(MacroMessage::ImportCut,
                              {QString::number(macro.rows.size()), QString::number(macro.promisedRows)});
        return;
    }
    for (const MacroRow& row : macro.rows) {
        if (row.kind != RowKind::Delay && MacroKeyTokens(row.text).isEmpty()) {
            m_Context.ShowRefusal(MacroMessage::UnknownKey, {row.text});
            return;
        }
    }
    // The device keeps 70 events: a longer macro would play cut, and reading
    // it back from the device would cut its file as well.
    if (!FitsMacroBlock(macro.rows)) {
        m_Context.ShowRefusal(MacroMessage::TooManyEvents);
        return;
    }
    // The device keeps no longer name, and a cut name would come back from
    // it as another macro's.
    const QString name = CutToMacroNameBytes(macro.name);
    if (name.isEmpty()) {
        m_Context.ShowRefusal(MacroMessage::NoName);
        return;
    }
    if (!m_Context.AcceptNewMacroName(name))
        return;
    const int loopValue = LoopValueAsShown(macro.loopText.toInt());
    if (!m_Files.SaveMacroFile(name, QString::number(loopValue), macro.rows, Timing().macroImportWriteMs)) {
        m_Context.ShowRefusal(MacroMessage::SaveFailed);
        return;
    }

    QListWidget* macros = m_Context.ui.listWidgetHong;
    macros->addItem(name);
    macros->setCurrentRow(macros->count() - 1);
    m_Context.ShownMacro = name;
    m_Context.ShowStoredLoopValue(loopValue);
    m_Context.SetSaveActive(false);
    QListWidget* events = m_Context.ui.listWidgetKey;
    events->clear();
    for (const MacroRow& row : macro.rows)
        events->addItem(NewRow(row));
}
