#include "pages/macro/MacroFile.h"

#include "device/KeyCodes.h"
#include "platform/PlainFile.h"
#include "platform/WholeFileWrite.h"

#include <QFile>
#include <QStringList>

namespace {

bool WriteWhole(QFile& file, const QByteArray& bytes)
{
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

} // namespace

QByteArray MacroRowLines(const QList<MacroRow>& rows)
{
    QByteArray lines;
    for (const MacroRow& row : rows) {
        if (row.kind == RowKind::Delay) {
            lines += row.text.toUtf8() + '\n';
            continue;
        }
        for (const QString& token : MacroKeyTokens(row.text))
            lines += token.toUtf8() + ' ';
        lines += row.kind == RowKind::Release ? "1\n" : "0\n";
    }
    return lines;
}

MacroFileContent ReadMacroFile(const QString& path)
{
    MacroFileContent content;
    QFile file(path);
    if (!OpenPlainFile(file, QIODevice::ReadOnly | QIODevice::Text))
        return content;
    content.opened = true;
    while (!file.atEnd()) {
        const QByteArray bytes = file.readLine();
        const QStringList parts = QString::fromUtf8(bytes.constData()).split(' ', Qt::SkipEmptyParts);
        if (!content.hasLoopLine) {
            content.hasLoopLine = true;
            content.loopValue = parts.isEmpty() ? 0 : parts.at(0).trimmed().toInt();
            continue;
        }
        if (parts.size() == 3) {
            const bool press = parts.at(2) == "0\n";
            if (!press && parts.at(2) != "1\n")
                continue;
            const QString name = MacroKeyNameFromToken(parts.at(0), parts.at(1).toInt());
            content.rows << MacroRow{name, press ? RowKind::Press : RowKind::Release};
        } else if (parts.size() == 1) {
            content.rows << MacroRow{QString(parts.at(0)).remove('\n'), RowKind::Delay};
        }
    }
    return content;
}

bool WriteMacroFile(const QString& path, const QString& loopText, const QList<MacroRow>& rows)
{
    // Only a macro that exists as a plain file is rewritten (never what a
    // link points to), and through a save file, so that a program ended in
    // the middle of a save leaves the old macro rather than an empty one.
    QFile existing(path);
    if (!OpenPlainFile(existing, QIODevice::ReadOnly))
        return false;
    existing.close();
    return WriteWholeFile(path, loopText.toUtf8() + '\n' + MacroRowLines(rows));
}

bool AppendMacroFile(const QString& path, const QList<MacroRow>& rows)
{
    QFile file(path);
    if (!file.exists() || !OpenPlainFile(file, QIODevice::WriteOnly | QIODevice::Append))
        return false;
    return WriteWhole(file, MacroRowLines(rows));
}

bool EmptyMacroFile(const QString& path)
{
    QFile file(path);
    if (!OpenPlainFile(file, QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    file.close();
    return true;
}
