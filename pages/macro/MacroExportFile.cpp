#include "pages/macro/MacroExportFile.h"

#include "core/Timing.h"
#include "pages/macro/MacroFiles.h"
#include "pages/macro/MacroPageContext.h"
#include "pages/macro/MacroRows.h"
#include "widgets/NoticeDialogs.h"

#include <QDataStream>
#include <QFile>
#include <QFileDialog>
#include <QListWidget>
#include <QSaveFile>

#include <memory>

const char* const kMacroExportTag = "Trelv";

namespace {

constexpr int kTagBytes = 12;
constexpr int kNameBytes = 48;
constexpr int kLoopBytes = 12;
const char* const kFileFilter = "File(*.ini)";
const char* const kStartFolder = "G:";

void WriteField(QDataStream& stream, const QByteArray& text, int size)
{
    QByteArray field = text.left(size);
    field.append(QByteArray(size - field.size(), '\0'));
    stream.writeBytes(field.constData(), static_cast<uint>(size));
}

QString ReadField(QDataStream& stream)
{
    char* raw = nullptr;
    uint length = 0;
    stream.readBytes(raw, length);
    const std::unique_ptr<char[]> owned(raw);
    const QByteArray bytes(raw, static_cast<int>(length));
    const int end = bytes.indexOf('\0');
    return QString::fromUtf8(end < 0 ? bytes : bytes.left(end));
}

// The flag of a press as it reads back: the bytes "0" and NUL as one UTF-16 unit.
const QString& PressFlag()
{
    static const QString flag(QChar(0x3000));
    return flag;
}

} // namespace

void WriteMacroExport(QIODevice& device, const QString& name, int loopValue, const QList<ExportedRow>& rows)
{
    QDataStream stream(&device);
    stream.setVersion(QDataStream::Qt_5_9);
    WriteField(stream, kMacroExportTag, kTagBytes);
    WriteField(stream, name.toUtf8(), kNameBytes);
    WriteField(stream, QByteArray::number(loopValue), kLoopBytes);
    stream << static_cast<qint32>(rows.size());
    for (const ExportedRow& row : rows) {
        stream << row.text << row.icon;
        if (!IsDelayRowText(row.text))
            stream << (row.type != kPressRowType ? "1" : "0");
    }
}

MacroExport ReadMacroExport(QIODevice& device)
{
    QDataStream stream(&device);
    stream.setVersion(QDataStream::Qt_5_9);
    MacroExport macro;
    macro.tag = ReadField(stream);
    macro.name = ReadField(stream);
    macro.loopText = ReadField(stream);
    qint32 count = 0;
    stream >> count;
    for (qint32 i = 0; i < count && !stream.atEnd(); ++i) {
        ExportedRow row;
        stream >> row.text >> row.icon;
        if (!IsDelayRowText(row.text)) {
            QString flag;
            stream >> flag;
            row.type = flag == PressFlag() ? kPressRowType : kReleaseRowType;
        }
        if (stream.status() != QDataStream::Ok)
            break;
        macro.rows << row;
    }
    return macro;
}

QList<ExportedRow> ExportedRowsOf(const QListWidget* eventList)
{
    QList<ExportedRow> rows;
    for (int row = 0; row < eventList->count(); ++row) {
        const QListWidgetItem* item = eventList->item(row);
        rows << ExportedRow{item->text(), item->icon(), item->type()};
    }
    return rows;
}

MacroExchange::MacroExchange(MacroPageContext& context, MacroFiles& files) : m_Context(context), m_Files(files) {}

void MacroExchange::ExPortMacro()
{
    const QString path = QFileDialog::getSaveFileName(m_Context.ui.page, "FileSave", kStartFolder, kFileFilter);
    if (!path.isEmpty())
        ExportTo(path);
}

void MacroExchange::ExportTo(const QString& path)
{
    if (!m_Context.HasSelectedMacro())
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    WriteMacroExport(file, m_Context.SelectedMacroName(), m_Context.LoopValue(),
                     ExportedRowsOf(m_Context.ui.listWidgetKey));
    file.commit();
}

void MacroExchange::InPortMacro()
{
    const QString path = QFileDialog::getOpenFileName(m_Context.ui.page, "SelectFile", kStartFolder, kFileFilter);
    if (!path.isEmpty())
        ImportFrom(path);
}

void MacroExchange::ImportFrom(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const MacroExport macro = ReadMacroExport(file);
    file.close();

    if (MacroNameTaken(m_Context.MacroNames(), macro.name)) {
        SameMacro notice;
        m_Context.RunNotice(notice);
        return;
    }
    if (macro.tag != kMacroExportTag)
        return;
    const MacroNameProblem problem = CheckMacroName(macro.name);
    if (problem != MacroNameProblem::None) {
        m_Context.ShowRefusal(MacroNameProblemText(problem));
        return;
    }

    QListWidget* macros = m_Context.ui.listWidgetHong;
    macros->addItem(macro.name);
    macros->setCurrentRow(macros->count() - 1);
    m_Files.CreateMacroFile();

    QListWidget* events = m_Context.ui.listWidgetKey;
    events->clear();
    QList<MacroRow> rows;
    for (const ExportedRow& row : macro.rows) {
        events->addItem(new QListWidgetItem(row.icon, row.text, nullptr, row.type));
        rows << RowOf(events->item(events->count() - 1));
    }
    m_Files.SaveMacroFile(macro.name, macro.loopText, rows, Timing().macroImportWriteMs);
}
