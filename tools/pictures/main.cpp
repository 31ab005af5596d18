// Draws every picture the program shows into the program folder, and the
// pictures compiled into it into a resource folder of the build. Run by the
// build; --check verifies what a build wrote, --sheet draws a contact sheet.

#include "ContactSheet.h"
#include "Manifest.h"
#include "Palette.h"
#include "Render.h"
#include "widgets/PixelChunk.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSettings>
#include <QTextStream>

namespace {

QString pathOf(const QString &root, const PictureRow &row)
{
    return root + "/" + row.folder + "/" + row.file;
}

// Writes only what changed, so a rebuild leaves the files and their times alone.
bool writeIfChanged(const QString &path, const QByteArray &bytes, QTextStream &errors)
{
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == bytes)
        return true;
    existing.close();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        errors << "cannot write " << path << ": " << file.errorString() << "\n";
        return false;
    }
    return true;
}

bool drawAll(const QVector<PictureRow> &rows, const QString &root, QTextStream &errors)
{
    bool written = true;
    for (const PictureRow &row : rows)
        written = writeIfChanged(pathOf(root, row), EncodePicture(RenderPicture(row)), errors) && written;
    return written;
}

// The chunk the program maps holds what Qt would paint from the image data.
bool pixelChunkMatches(const QString &path, const QImage &image)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    const std::optional<PixelChunk::Layout> layout = PixelChunk::Find(bytes.left(PixelChunk::kPixelsOffset), bytes.size());
    if (!layout)
        return false;
    const QImage painted = PixelChunk::PaintedPixels(image);
    return painted.format() == layout->format
           && bytes.mid(int(layout->offset), int(layout->size))
                  == QByteArray::fromRawData(reinterpret_cast<const char *>(painted.constBits()), int(painted.sizeInBytes()));
}

bool checkAll(const QVector<PictureRow> &rows, const QString &root, QTextStream &errors)
{
    bool good = true;
    for (const PictureRow &row : rows) {
        const QImage image(pathOf(root, row));
        if (image.isNull()) {
            errors << "missing or unreadable: " << pathOf(root, row) << "\n";
            good = false;
        } else if (image.size() != row.size) {
            errors << pathOf(root, row) << " is " << image.width() << "x" << image.height() << ", not "
                   << row.size.width() << "x" << row.size.height() << "\n";
            good = false;
        } else if (!pixelChunkMatches(pathOf(root, row), image)) {
            errors << pathOf(root, row) << ": the pixel chunk is missing or differs from the image\n";
            good = false;
        }
    }
    return good;
}

// Text that Qt draws over the pictures takes its colour from the Option group
// of the shipped device description: it must hold the palette's colours.
bool checkOptionColours(const QString &programDir, QTextStream &errors)
{
    const QString path = programDir + "/usersetting/Config.ini";
    if (!QFile::exists(path)) {
        errors << "missing " << path << "\n";
        return false;
    }
    QSettings ini(path, QSettings::IniFormat);
    bool good = true;
    for (const Palette::OptionColour &option : Palette::optionColours()) {
        const QString shipped = ini.value("Option/" + option.key).toStringList().join(",").remove(' ');
        const QColor &c = option.colour;
        const QString wanted = QString("%1,%2,%3").arg(c.red()).arg(c.green()).arg(c.blue());
        if (shipped != wanted) {
            errors << path << ": Option/" << option.key << " is \"" << shipped << "\", the pictures need \"" << wanted << "\"\n";
            good = false;
        }
    }
    return good;
}

} // namespace

int main(int argc, char *argv[])
{
    // Painting on images needs neither a screen nor fonts: no GUI application.
    QCoreApplication application(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription("Draws the program's pictures.");
    parser.addHelpOption();
    const QCommandLineOption program("program", "The program folder; pictures go to its Picture folder.", "folder");
    const QCommandLineOption resources("resources", "Folder of the pictures compiled into the program.", "folder");
    const QCommandLineOption check("check", "Verify the pictures already written instead of drawing them.");
    const QCommandLineOption sheet("sheet", "Also draw a contact sheet of every picture.", "file");
    parser.addOptions({program, resources, check, sheet});
    parser.process(application);

    QTextStream errors(stderr);
    bool good = true;
    if (parser.isSet(program)) {
        const QString pictures = parser.value(program) + "/Picture";
        good = (parser.isSet(check) ? checkAll(PictureManifest(), pictures, errors)
                                    : drawAll(PictureManifest(), pictures, errors)) && good;
        if (parser.isSet(check))
            good = checkOptionColours(parser.value(program), errors) && good;
    }
    if (parser.isSet(resources)) {
        good = (parser.isSet(check) ? checkAll(ResourceManifest(), parser.value(resources), errors)
                                    : drawAll(ResourceManifest(), parser.value(resources), errors)) && good;
    }
    if (parser.isSet(sheet))
        good = writeIfChanged(parser.value(sheet), EncodePng(ContactSheet(PictureManifest() + ResourceManifest())), errors) && good;
    return good ? 0 : 1;
}
