#pragma once

#include "pages/macro/MacroRows.h"

#include <QByteArray>
#include <QList>
#include <QString>

class QIODevice;

// A macro exported to a file of the user's choice, for this or another
// computer. A QDataStream (version Qt_5_9, big-endian) of:
//   tag   writeBytes of 12 bytes: "Trelv" and NULs
//   name  writeBytes of 48 bytes: the name in UTF-8 and NULs (cut at 48
//         bytes between characters)
//   loop  writeBytes of 12 bytes: the loop value in decimal ASCII and NULs
//   count qint32, the number of rows
//   rows  each: its text (QString), its icon (QIcon) and, for a row whose text
//         does not contain "ms" (a key row), the C string "1" for a release
//         or "0" for a press.
// Although the file dialogs offer ".ini", this is not a macro text file.

extern const char* const kMacroExportTag; // "Trelv"

void WriteMacroExport(QIODevice& device, const QString& name, int loopValue, const QList<MacroRow>& rows);

struct MacroExport
{
    QString name;     // up to the field's first NUL, as UTF-8
    QString loopText; // decimal digits
    QList<MacroRow> rows;
    int promisedRows = 0; // the row count the file gives; more than rows when it is cut
};

enum class MacroExportStatus {
    Read,
    NotAnExport, // the tag is not "Trelv", or the file is too short to hold one
    Damaged,     // a field or a row that no export holds
};

struct MacroExportReading
{
    MacroExportStatus status = MacroExportStatus::NotAnExport;
    MacroExport macro; // complete only when status is Read
};

// Reads an export from its bytes. The file comes from outside, so none of
// its bytes reaches a Qt deserialiser: the icons that Qt wrote into it are
// stepped over by their framing (engine name, entries, PNG chunks) and never
// decoded, and each row gets the picture of its kind. A file holds only
// decimal loop values, a row count of 0 or more, delay rows of digits
// followed by "ms" (nothing after it, not even a line feed), key names
// without control characters, rows as the page makes them (RowsAlternate)
// and nothing after the rows; anything else makes it Damaged, and so does a
// file that ends before its count is whole. A file that ends inside the rows
// keeps the rows before, as a cut copy does; promisedRows then tells how
// many the count promised.
MacroExportReading ReadMacroExport(const QByteArray& bytes);
// The same from a file: only a regular file of at most kMacroExportMaxBytes
// is read; a link to one is followed, a FIFO or a device is not opened.
MacroExportReading ReadMacroExportFile(const QString& path);

// Far more than any macro's export (each row carries a small picture).
constexpr qint64 kMacroExportMaxBytes = 16 * 1024 * 1024;
