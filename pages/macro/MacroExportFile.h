#pragma once

#include <QIcon>
#include <QList>
#include <QString>

class QIODevice;
class QListWidget;
class MacroFiles;
class MacroPageContext;

// A macro exported to a file of the user's choice, for this or another
// computer. A QDataStream (version Qt_5_9, big-endian) of:
//   tag   writeBytes of 12 bytes: "Trelv" and NULs
//   name  writeBytes of 48 bytes: the name in UTF-8 and NULs (cut at 48 bytes)
//   loop  writeBytes of 12 bytes: the loop value in decimal ASCII and NULs
//   count qint32, the number of rows
//   rows  each: its text (QString), its icon (QIcon) and, for a row whose text
//         does not contain "ms" (a key row), the C string "1" for a release
//         or "0" for a press.
// Although the file dialogs offer ".ini", this is not a macro text file.

extern const char* const kMacroExportTag; // "Trelv"

struct ExportedRow
{
    QString text;
    QIcon icon;
    int type = 0; // the list item type: 1 release, 0 press or delay
};

struct MacroExport
{
    QString tag;
    QString name;
    QString loopText;
    QList<ExportedRow> rows;
};

void WriteMacroExport(QIODevice& device, const QString& name, int loopValue, const QList<ExportedRow>& rows);

// Each field is its bytes up to the first NUL, as UTF-8. Reading stops at the
// end of the stream, also when the count promises more rows; a row cut short
// is dropped.
MacroExport ReadMacroExport(QIODevice& device);

QList<ExportedRow> ExportedRowsOf(const QListWidget* eventList);

// The export and import commands of the macro list's context menu.
class MacroExchange
{
public:
    MacroExchange(MacroPageContext& context, MacroFiles& files);

    // Asks for a file with the save dialog and exports the selected macro
    // with the loop controls and the event list as they are now.
    void ExPortMacro();
    void ExportTo(const QString& path);

    // Asks for a file with the open dialog and imports it as a new macro:
    // the macro is added at the end of the list, selected, its rows shown and
    // its text file written. A name the list holds gives the same-name notice;
    // a file of another kind is ignored; a name that cannot be a file name is
    // refused with its notice.
    void InPortMacro();
    void ImportFrom(const QString& path);

private:
    MacroPageContext& m_Context;
    MacroFiles& m_Files;
};
