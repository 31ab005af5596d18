#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One section of the language files: the form whose texts it holds, the table
// the loader fills, and the text elements in the order forms read them. The
// last element completes a row: reading it appends the row to the table.
struct LanguageSection
{
    QString name;
    QList<QStringList>* table;
    QStringList elements;
};

// The 34 sections, in the order the loader compares their names.
const QList<LanguageSection>& LanguageSections();

// The section with exactly this name (case-sensitive), or nullptr.
const LanguageSection* FindLanguageSection(const QString& name);
