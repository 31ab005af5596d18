#include "pages/macro/MacroExportFile.h"

#include "pages/macro/MacroNames.h"
#include "platform/PlainFile.h"

#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QRegularExpression>

const char* const kMacroExportTag = "Trelv";

namespace {

constexpr int kTagBytes = 12;
constexpr int kNameBytes = 48;
constexpr int kLoopBytes = 12;

void WriteField(QDataStream& stream, const QByteArray& text, int size)
{
    QByteArray field = text.left(size);
    field.append(QByteArray(size - field.size(), '\0'));
    stream.writeBytes(field.constData(), static_cast<uint>(size));
}

// What reading one part of the file came to.
enum class Step { Done, Ended, Damaged };

// The file's bytes and a reading position; every read checks what is left,
// so no length in the file makes it reach past the end.
class ExportBytes
{
public:
    explicit ExportBytes(const QByteArray& bytes) : m_Bytes(bytes) {}

    bool Take(qint64 count, QByteArray* taken = nullptr)
    {
        if (count < 0 || count > m_Bytes.size() - m_Position)
            return false;
        if (taken)
            *taken = m_Bytes.mid(m_Position, int(count));
        m_Position += int(count);
        return true;
    }

    bool AtEnd() const { return m_Position == m_Bytes.size(); }

    bool TakeUInt32(quint32& value)
    {
        QByteArray bytes;
        if (!Take(4, &bytes))
            return false;
        value = 0;
        for (const char byte : bytes)
            value = (value << 8) | static_cast<unsigned char>(byte);
        return true;
    }

    // A writeBytes block: its length, then that many bytes.
    Step TakeBlock(QByteArray& block)
    {
        quint32 length = 0;
        return TakeUInt32(length) && Take(length, &block) ? Step::Done : Step::Ended;
    }

    // A QString as QDataStream writes it: its length in bytes (all ones for a
    // null text), then UTF-16 big-endian.
    Step TakeText(QString& text)
    {
        quint32 length = 0;
        if (!TakeUInt32(length))
            return Step::Ended;
        text.clear();
        if (length == 0xFFFFFFFFu)
            return Step::Done;
        if (length % 2 != 0)
            return Step::Damaged;
        QByteArray bytes;
        if (!Take(length, &bytes))
            return Step::Ended;
        text.reserve(int(length / 2));
        for (int i = 0; i < bytes.size(); i += 2)
            text.append(QChar(ushort(static_cast<unsigned char>(bytes.at(i)) << 8 | static_cast<unsigned char>(bytes.at(i + 1)))));
        return Step::Done;
    }

private:
    const QByteArray& m_Bytes;
    int m_Position = 0;
};

// Steps over a PNG image: its signature, then chunks up to IEND.
Step SkipPng(ExportBytes& bytes)
{
    static const QByteArray signature("\x89PNG\r\n\x1a\n", 8);
    QByteArray start;
    if (!bytes.Take(signature.size(), &start))
        return Step::Ended;
    if (start != signature)
        return Step::Damaged;
    for (;;) {
        quint32 length = 0;
        QByteArray type;
        if (!bytes.TakeUInt32(length) || !bytes.Take(4, &type))
            return Step::Ended;
        if (length > 0x7FFFFFFFu)
            return Step::Damaged;
        if (!bytes.Take(qint64(length) + 4)) // the data and its CRC
            return Step::Ended;
        if (type == "IEND")
            return Step::Done;
    }
}

// Steps over an icon as QDataStream (Qt_5_9) writes it: the name of its
// engine, then what that engine writes. A pixmap engine writes its entries,
// each a pixmap (a null marker, or 1 and a PNG image), the picture's file
// name, a size and two mode numbers; a theme engine writes the theme icon's
// name. Other engines write what only they can read. Qt's own reader would
// open the file name of an entry without pixmap, which is why none of this
// reaches it.
Step SkipIcon(ExportBytes& bytes)
{
    QString engine;
    const Step named = bytes.TakeText(engine);
    if (named != Step::Done || engine.isEmpty())
        return named;
    if (engine == "QIconLoaderEngine") {
        QString themeName;
        return bytes.TakeText(themeName);
    }
    if (engine != "QPixmapIconEngine")
        return Step::Damaged;
    quint32 entries = 0;
    if (!bytes.TakeUInt32(entries))
        return Step::Ended;
    for (qint32 entry = 0; entry < static_cast<qint32>(entries); ++entry) {
        quint32 imageMarker = 0;
        if (!bytes.TakeUInt32(imageMarker))
            return Step::Ended;
        if (imageMarker != 0) {
            const Step image = SkipPng(bytes);
            if (image != Step::Done)
                return image;
        }
        QString fileName;
        const Step file = bytes.TakeText(fileName);
        if (file != Step::Done)
            return file;
        if (!bytes.Take(8 + 4 + 4)) // size, mode, state
            return Step::Ended;
    }
    return Step::Done;
}

// A field's text: its bytes up to the first NUL, as UTF-8.
QString FieldText(const QByteArray& field)
{
    const int end = field.indexOf('\0');
    return QString::fromUtf8(end < 0 ? field : field.left(end));
}

bool HoldsControlCharacter(const QString& text)
{
    for (const QChar character : text) {
        if (character.category() == QChar::Other_Control || character == QChar::LineSeparator
            || character == QChar::ParagraphSeparator)
            return true;
    }
    return false;
}

// One row: its text, its icon and, for a key row, its press or release flag.
Step TakeRow(ExportBytes& bytes, MacroRow& row)
{
    QString text;
    Step step = bytes.TakeText(text);
    if (step == Step::Done)
        step = SkipIcon(bytes);
    if (step != Step::Done)
        return step;
    if (IsDelayRowText(text)) {
        row = {text, RowKind::Delay};
        return IsWholeDelayText(text) ? Step::Done : Step::Damaged;
    }
    QByteArray flag;
    if (bytes.TakeBlock(flag) != Step::Done)
        return Step::Ended;
    const bool press = flag == QByteArray("0", 2);
    if ((!press && flag != QByteArray("1", 2)) || HoldsControlCharacter(text))
        return Step::Damaged;
    row = {text, press ? RowKind::Press : RowKind::Release};
    return Step::Done;
}

} // namespace

void WriteMacroExport(QIODevice& device, const QString& name, int loopValue, const QList<MacroRow>& rows)
{
    QDataStream stream(&device);
    stream.setVersion(QDataStream::Qt_5_9);
    WriteField(stream, kMacroExportTag, kTagBytes);
    WriteField(stream, CutToEncodedBytes(name, kNameBytes, TextEncoding::Utf8).toUtf8(), kNameBytes);
    WriteField(stream, QByteArray::number(loopValue), kLoopBytes);
    stream << static_cast<qint32>(rows.size());
    for (const MacroRow& row : rows) {
        stream << row.text << RowIcon(row.kind);
        if (row.kind != RowKind::Delay)
            stream << (row.kind == RowKind::Release ? "1" : "0");
    }
}

MacroExportReading ReadMacroExport(const QByteArray& bytes)
{
    MacroExportReading reading;
    ExportBytes file(bytes);
    QByteArray tag, name, loop;
    if (file.TakeBlock(tag) != Step::Done || FieldText(tag) != kMacroExportTag)
        return reading;
    reading.status = MacroExportStatus::Damaged;
    if (file.TakeBlock(name) != Step::Done || file.TakeBlock(loop) != Step::Done)
        return reading;
    MacroExport& macro = reading.macro;
    macro.name = FieldText(name);
    macro.loopText = FieldText(loop);
    static const QRegularExpression decimal(QRegularExpression::anchoredPattern("[0-9]+"));
    if (!decimal.match(macro.loopText).hasMatch())
        return reading;

    // The export writes a count even for no rows: a file cut before or
    // inside it is damaged, not an empty macro.
    quint32 count = 0;
    if (!file.TakeUInt32(count))
        return reading;
    macro.promisedRows = static_cast<qint32>(count);
    if (macro.promisedRows < 0)
        return reading;
    for (qint32 i = 0; i < macro.promisedRows; ++i) {
        MacroRow row;
        const Step step = TakeRow(file, row);
        if (step == Step::Damaged)
            return reading;
        if (step == Step::Ended)
            break;
        macro.rows << row;
    }
    // A whole file holds nothing after its rows, and rows the page made:
    // a delay first, last or next to another would reach the device as an
    // event with no key.
    const bool whole = macro.rows.size() == macro.promisedRows;
    if (whole && (!file.AtEnd() || !RowsAlternate(macro.rows)))
        return reading;
    reading.status = MacroExportStatus::Read;
    return reading;
}

MacroExportReading ReadMacroExportFile(const QString& path)
{
    // The user chose the file: a link to it is followed, but only a regular
    // file is opened.
    QFile file(QFileInfo(path).canonicalFilePath());
    if (!OpenPlainFile(file, QIODevice::ReadOnly) || file.size() > kMacroExportMaxBytes)
        return {MacroExportStatus::Damaged, {}};
    return ReadMacroExport(file.read(kMacroExportMaxBytes));
}
