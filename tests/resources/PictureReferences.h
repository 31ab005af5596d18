#pragma once

// Finds the pictures that program code names, so a test can hold them against
// the pictures the build draws. A picture is named by a string literal ending
// in ".png" (or holding "<name>.png" inside a style sheet), by a numbered
// family ("OnLine" + n + ".png"), by a resource path (":/....png"), or by a
// call of a shared style helper that always names the same pictures. Its
// folder is the "Picture/<Folder>" or PictureFolder("<Folder>") the same
// source file names.

#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

struct PictureReference
{
    QStringList folders;  // any one of them must hold the picture; empty: any folder
    QString name;         // a file name, or a resource path starting with ":/"
};

// Pictures named by a stem and a model number 0..6.
struct PictureFamily
{
    QString stem;
    QString folder;
};

inline QVector<PictureFamily> PictureFamilies()
{
    return {{"OnLine", "DialogChange"}, {"DisOnlin", "DialogChange"}, {"mouse", "Buttoninterface"}};
}

constexpr int PictureFamilySize = 7;

// Style helpers (widgets/FormStyles.h) that name their pictures themselves;
// a form calling one needs those pictures in its folder.
inline QVector<QPair<QString, QStringList>> PictureHelpers()
{
    const QStringList combo = {"ComboboxBack.png", "Menu.png", "MenuClicked.png", "ComboboxTextBack.png"};
    return {{"CloseButtonStyle", {"Close.png", "CloseHover.png", "CloseClick.png"}},
            {"ComboBoxStyle", combo},
            {"StyleComboBox", combo}};
}

// The string literals of C++ source, comments left out.
inline QStringList StringLiterals(const QString &code)
{
    QStringList literals;
    const int size = code.size();
    int i = 0;
    while (i < size) {
        const QChar c = code.at(i);
        if (c == '/' && i + 1 < size && code.at(i + 1) == '/') {
            while (i < size && code.at(i) != '\n')
                ++i;
        } else if (c == '/' && i + 1 < size && code.at(i + 1) == '*') {
            const int end = code.indexOf("*/", i + 2);
            i = end < 0 ? size : end + 2;
        } else if (c == 'R' && i + 1 < size && code.at(i + 1) == '"'
                   && (i == 0 || !(code.at(i - 1).isLetterOrNumber() || code.at(i - 1) == '_'))) {
            const int open = code.indexOf('(', i + 2);
            if (open < 0)
                break;
            const QString closing = ")" + code.mid(i + 2, open - i - 2) + "\"";
            const int end = code.indexOf(closing, open + 1);
            literals << code.mid(open + 1, (end < 0 ? size : end) - open - 1);
            i = end < 0 ? size : end + closing.size();
        } else if (c == '"' || c == '\'') {
            QString literal;
            ++i;
            while (i < size && code.at(i) != c && code.at(i) != '\n') {
                if (code.at(i) == '\\' && i + 1 < size)
                    ++i;
                literal += code.at(i++);
            }
            ++i;
            if (c == '"')
                literals << literal;
        } else {
            ++i;
        }
    }
    return literals;
}

inline QVector<PictureReference> FindPictureReferences(const QString &code)
{
    static const QRegularExpression folderMention("Picture/(\\w+)");
    static const QRegularExpression folderCall("PictureFolder\\(\\s*(?:QStringLiteral\\(\\s*)?\"(\\w+)\"");
    static const QRegularExpression pictureName("([A-Za-z0-9_]+)\\.png");
    static const QRegularExpression resourcePath(":(/[A-Za-z0-9_/]+\\.png)");
    static const QRegularExpression drivePath("^[A-Za-z]:[/\\\\]");
    // Folders kept in globals that other files use.
    static const QVector<QPair<QString, QString>> folderGlobals = {{"g_DialogChangePictureDir", "DialogChange"},
                                                                   {"g_MatchPictureDir", "Setting"}};

    const QStringList literals = StringLiterals(code);
    QStringList folders;
    for (const QString &literal : literals)
        for (auto match = folderMention.globalMatch(literal); match.hasNext();)
            folders << match.next().captured(1);
    for (auto match = folderCall.globalMatch(code); match.hasNext();)
        folders << match.next().captured(1);
    for (const auto &global : folderGlobals)
        if (code.contains(global.first))
            folders << global.second;
    folders.removeDuplicates();

    QVector<PictureReference> references;
    for (const auto &helper : PictureHelpers())
        if (code.contains(QRegularExpression("\\b" + helper.first + "\\s*\\(")))
            for (const QString &name : helper.second)
                references.append({folders, name});
    for (const QString &literal : literals) {
        for (const PictureFamily &family : PictureFamilies()) {
            if (literal == family.stem || literal.contains(QRegularExpression(family.stem + "%\\d\\.png")))
                for (int n = 0; n < PictureFamilySize; ++n)
                    references.append({{family.folder}, QString("%1%2.png").arg(family.stem).arg(n)});
        }
        if (literal.contains(drivePath))
            continue;  // a developer's own file, not one the program ships
        if (literal.contains(":/")) {
            for (auto match = resourcePath.globalMatch(literal); match.hasNext();)
                references.append({{}, ":" + match.next().captured(1)});
            continue;
        }
        const auto inLiteral = folderMention.match(literal);
        for (auto match = pictureName.globalMatch(literal); match.hasNext();) {
            const auto found = match.next();
            QString name = found.captured(1);
            // "%1Close.png": the digit belongs to the argument marker.
            if (found.capturedStart(1) > 0 && literal.at(found.capturedStart(1) - 1) == '%')
                name.remove(0, 1);
            if (name.isEmpty())
                continue;
            const QStringList candidates = inLiteral.hasMatch() ? QStringList{inLiteral.captured(1)} : folders;
            references.append({candidates, name + ".png"});
        }
    }
    return references;
}
