#include "core/LanguageLoader.h"

#include "core/LanguageSections.h"
#include "platform/PlainFile.h"
#include "platform/ProgramFolder.h"

#include <QFile>
#include <QXmlStreamReader>

namespace {

// Moves the reader, standing inside an element, to that element's next child
// start tag. Returns false once the element's end tag has been passed (the
// reader then stands on the token after it) or the reader has stopped.
bool NextChildElement(QXmlStreamReader& reader)
{
    while (!reader.atEnd()) {
        if (reader.isStartElement())
            return true;
        const bool elementEnds = reader.isEndElement();
        reader.readNext();
        if (elementEnds)
            return false;
    }
    return false;
}

// Reads one opened language file into the tables.
class LanguageFileReader
{
public:
    explicit LanguageFileReader(QIODevice* file) : m_Reader(file) {}

    // A root element with another name rejects the whole file.
    void Read(const QString& rootName)
    {
        m_Reader.readNext();
        while (!m_Reader.atEnd()) {
            if (!m_Reader.isStartElement())
                m_Reader.readNext();
            else if (m_Reader.name() == rootName)
                ReadLanguageSections();
            else
                m_Reader.raiseError(QStringLiteral("Not a labels file"));
        }
    }

private:
    // The children of the root: known sections are read, anything else is
    // skipped whole.
    void ReadLanguageSections()
    {
        m_Reader.readNext();
        while (NextChildElement(m_Reader)) {
            if (const LanguageSection* section = FindLanguageSection(m_Reader.name().toString()))
                ReadSection(*section);
            else
                SkipLanguageElement(m_Reader);
        }
    }

    // Texts are kept in file order; the row reaches the table only through the
    // completing element, once per occurrence, and is dropped at the section's
    // end. An element that is not in the section's list takes no position.
    void ReadSection(const LanguageSection& section)
    {
        QStringList row;
        m_Reader.readNext();
        while (NextChildElement(m_Reader)) {
            const QString element = m_Reader.name().toString();
            if (!section.elements.contains(element)) {
                SkipLanguageElement(m_Reader);
                continue;
            }
            row.append(ReadLanguageElementText(m_Reader));
            if (element == section.elements.last())
                section.table->append(row);
        }
    }

    QXmlStreamReader m_Reader;
};

} // namespace

void LoadLanguageFiles()
{
    struct LanguageFile
    {
        const char* fileName;
        const char* rootName;
    };
    static const LanguageFile files[] = {
        {"0-English.xml", "Total"},
        {"5-Polish.xml", "Total"},
        {"Net.xml", "Profile"},
    };
    for (const LanguageFile& languageFile : files) {
        // Read as bytes: the XML declaration names the encoding and the parser
        // normalises line ends itself.
        QFile file(ProgramFolder() + "/Language/" + languageFile.fileName);
        // A FIFO would block the start for ever: like a missing file, it ends the loading.
        if (!OpenPlainFile(file, QIODevice::ReadOnly, LinkAtPath::Followed))
            return;
        LanguageFileReader(&file).Read(QString::fromLatin1(languageFile.rootName));
    }
}

QString ReadLanguageElementText(QXmlStreamReader& reader)
{
    const QString text = reader.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
    if (reader.isEndElement())
        reader.readNext();
    return text;
}

void SkipLanguageElement(QXmlStreamReader& reader)
{
    // Counted instead of recursive, so deep nesting cannot exhaust the stack.
    int openInside = 0;
    reader.readNext();
    while (!reader.atEnd()) {
        if (reader.isEndElement()) {
            reader.readNext();
            if (openInside-- == 0)
                return;
        } else {
            if (reader.isStartElement())
                ++openInside;
            reader.readNext();
        }
    }
}
