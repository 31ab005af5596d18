#include "pages/macro/MacroFile.h"

#include "device/KeyCodes.h"
#include "pages/macro/MacroNames.h"
#include "platform/PlainFile.h"
#include "platform/WholeFileWrite.h"

#include <QFile>
#include <QStringList>

int LoopValueAsShown(int loopValue)
{
    const bool mode = loopValue == kLoopWhileHeld || loopValue == kLoopUntilNextClick || loopValue == kLoopUntilStopped;
    const bool count = loopValue >= kLoopCountMin && loopValue <= kLoopCountMax;
    return mode || count ? loopValue : kLoopCountMin;
}

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
    bool lastLineEnded = false;
    while (!file.atEnd()) {
        const QByteArray bytes = file.readLine();
        lastLineEnded = bytes.endsWith('\n');
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
            const QString delay = QString(parts.at(0)).remove('\n');
            if (IsWholeDelayText(delay))
                content.rows << MacroRow{delay, RowKind::Delay};
        }
    }
    const bool readToTheEnd = file.error() == QFileDevice::NoError;
    content.empty = !content.hasLoopLine && readToTheEnd;
    content.whole = content.hasLoopLine && lastLineEnded && readToTheEnd && RowsAlternate(content.rows);
    return content;
}

bool ReplaceMacroFile(const QString& folder, const QString& name, const QByteArray& bytes)
{
    return CheckMacroName(name) == MacroNameProblem::None && WriteWholeFile(MacroFilePath(folder, name), bytes);
}

bool WriteMacroFile(const QString& folder, const QString& name, const QString& loopText,
                    const QList<MacroRow>& rows)
{
    return ReplaceMacroFile(folder, name, loopText.toUtf8() + '\n' + MacroRowLines(rows));
}

bool AppendMacroFile(const QString& folder, const QString& name, const QList<MacroRow>& rows)
{
    QFile file(MacroFilePath(folder, name));
    if (!file.exists() || !OpenPlainFile(file, QIODevice::ReadOnly))
        return false;
    const QByteArray old = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    file.close();
    return ReplaceMacroFile(folder, name, old + MacroRowLines(rows));
}
