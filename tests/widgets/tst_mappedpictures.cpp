#include "common/TestFolders.h"
#include "widgets/MappedPictures.h"
#include "widgets/PixelChunk.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <QtPlugin>

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
};

QTEST_MAIN(TestMappedPictures)
#include "tst_mappedpictures.moc"
