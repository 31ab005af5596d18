#include "common/ChildProcess.h"
#include "common/TestFolders.h"
#include "widgets/FormStyles.h"
#include "widgets/MappedPictures.h"
#include "widgets/PixelChunk.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QIcon>
#include <QImageReader>
#include <QImageWriter>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <QtPlugin>

#include <cstdio>
#include <memory>

#include <sys/stat.h>

Q_IMPORT_PLUGIN(MappedPicturePlugin)

namespace {

const QString PictureRoot = QString(QUORVANE_TEST_PROGRAM_DIR) + "/Picture/";

// What Qt's own PNG reader makes of a file's image data, as it paints it.
QImage DecodedByQt(const QByteArray& png)
{
    QBuffer buffer;
    buffer.setData(png);
    buffer.open(QIODevice::ReadOnly);
    return PixelChunk::PaintedPixels(QImageReader(&buffer, "png").read());
}

// The bits of the image a reader makes of the file: a mapped picture gives
// the same ones at each read, a decoded one new ones.
const uchar* ReadBits(const QString& path, QImage& image)
{
    image = QImageReader(path).read();
    return image.constBits();
}

bool ReadFromOneMapping(const QString& path)
{
    QImage first;
    QImage second;
    return ReadBits(path, first) == ReadBits(path, second);
}

QImage SmallPicture()
{
    QImage image(24, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(40, 120, 220));
    painter.drawEllipse(QRectF(2, 2, 18, 12));
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray PngOf(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "png").write(image);
    return bytes;
}

// Whether image shows SmallPicture: its ellipse's colour at the centre.
bool ShowsSmallPicture(const QImage& image)
{
    return !image.isNull() && image.pixelColor(12, 8) == QColor(40, 120, 220);
}

// The same picture as the build makes it: with the pixels' chunk.
QByteArray SmallPictureFile()
{
    const QImage image = SmallPicture();
    return PixelChunk::Insert(PngOf(image), PixelChunk::PaintedPixels(image));
}

bool MakeFifo(const QString& path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

// Loads the picture at a path through one of the ways the program's forms
// do and prints "picture" when it was drawn, "none" when not:
//   style   a label's style sheet (StyleUrl)
//   icon    an icon (PictureIcon)
//   mapped  the mapping of an opened file; with "fifo", a FIFO takes the
//           file's place between Qt's open and the mapping's
int LoadPictureChild(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QString funnel = QString::fromLatin1(argv[0]);
    const QString path = QFile::decodeName(argv[1]);
    bool drawn = false;
    if (funnel == "style") {
        QLabel label;
        label.setFixedSize(SmallPicture().size());
        label.setStyleSheet("QLabel{background-image: " + StyleUrl(path) + ";}");
        label.ensurePolished();
        drawn = ShowsSmallPicture(label.grab().toImage());
    } else if (funnel == "icon") {
        drawn = ShowsSmallPicture(PictureIcon(path).pixmap(SmallPicture().size()).toImage());
    } else {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return 2;
        std::unique_ptr<QImageIOHandler> handler(MappedPicturePlugin().create(&file, "png"));
        if (!handler)
            return 2;
        if (qstrcmp(argv[2], "fifo") == 0 && !(QFile::remove(path) && MakeFifo(path)))
            return 2;
        QImage image;
        drawn = handler->read(&image) && ShowsSmallPicture(image);
    }
    std::puts(drawn ? "picture" : "none");
    return 0;
}

} // namespace

class TestMappedPictures : public QObject
{
    Q_OBJECT

private slots:
    void builtPicturesAreMappedAsQtWouldPaintThem_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::newRow("opaque background") << "DialogChange/MainBack.png";
        QTest::newRow("device tile with shadow") << "DialogChange/OnLine0.png";
        QTest::newRow("small button") << "Dialog/HomeHover.png";
    }

    void builtPicturesAreMappedAsQtWouldPaintThem()
    {
        QFETCH(QString, picture);
        const QString path = PictureRoot + picture;
        const QImage expected = DecodedByQt(FileBytes(path));
        QVERIFY(!expected.isNull());
        QVERIFY(ReadFromOneMapping(path));
        QCOMPARE(QPixmap(path).toImage(), expected);
    }

    // A picture someone else made or changed carries no chunk that fits it,
    // and Qt's reader decodes its image data.
    void otherPicturesAreDecoded_data()
    {
        QTest::addColumn<int>("chunkWidthChange");
        QTest::addColumn<bool>("withChunk");
        QTest::addColumn<bool>("mapped");
        QTest::newRow("chunk that fits") << 0 << true << true;
        QTest::newRow("chunk of another width") << 1 << true << false;
        QTest::newRow("no chunk") << 0 << false << false;
    }

    void otherPicturesAreDecoded()
    {
        QFETCH(int, chunkWidthChange);
        QFETCH(bool, withChunk);
        QFETCH(bool, mapped);
        const QImage image = SmallPicture();
        const QByteArray png = PngOf(image);
        QByteArray bytes = withChunk ? PixelChunk::Insert(png, PixelChunk::PaintedPixels(image)) : png;
        QVERIFY(!bytes.isEmpty());
        const int chunkWidthLastByte = 44;
        bytes[chunkWidthLastByte] = char(bytes.at(chunkWidthLastByte) + chunkWidthChange);

        QTemporaryDir folder;
        const QString path = folder.filePath("picture.png");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();

        QCOMPARE(ReadFromOneMapping(path), mapped);
        QCOMPARE(QPixmap(path).toImage(), DecodedByQt(png));
    }

    void aFifoInPlaceOfAPictureIsAMissingPicture_data()
    {
        QTest::addColumn<QString>("funnel");
        QTest::addColumn<QString>("entry"); // picture, fifo, or link to fifo
        QTest::addColumn<QString>("printed");
        for (const char* funnel : {"style", "icon", "mapped"}) {
            QTest::addRow("%s, picture", funnel) << funnel << "picture" << "picture";
            QTest::addRow("%s, fifo", funnel) << funnel << "fifo" << "none";
        }
        QTest::newRow("style, link to fifo") << "style" << "link to fifo" << "none";
    }

    // A FIFO's open blocks until someone writes to it: in place of a picture
    // of the program folder it would stop the GUI thread for good. Each way
    // a picture reaches Qt takes it as a missing picture instead, in a child
    // that must end in bounded time.
    void aFifoInPlaceOfAPictureIsAMissingPicture()
    {
        QFETCH(QString, funnel);
        QFETCH(QString, entry);
        QFETCH(QString, printed);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString picture = folder.filePath("picture.png");
        QFile file(picture);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(SmallPictureFile());
        file.close();
        QString path = picture;
        if (funnel != "mapped" && entry != "picture") {
            path = folder.filePath("fifo.png");
            QVERIFY(MakeFifo(path));
            if (entry == "link to fifo") {
                path = folder.filePath("link.png");
                QVERIFY(QFile::link(folder.filePath("fifo.png"), path));
            }
        }

        std::unique_ptr<QProcess> load(StartChild({funnel, path, entry}, folder.path()));
        QVERIFY(load->waitForFinished(15000));
        QCOMPARE(load->exitCode(), 0);
        QCOMPARE(QString::fromLatin1(load->readAllStandardOutput()).trimmed(), printed);
    }
};

QUORVANE_TEST_MAIN_WITH_CHILD_APP(TestMappedPictures, LoadPictureChild, QApplication)
#include "tst_mappedpictures.moc"
