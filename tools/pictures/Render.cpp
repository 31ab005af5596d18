#include "Render.h"

#include "Manifest.h"
#include "widgets/PixelChunk.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

namespace {

// Qt's PNG writer takes its compression as a ratio from 0 to 100.
constexpr int kBestCompression = 100;

} // namespace

QImage RenderPicture(const PictureRow &row)
{
    QImage image(row.size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    row.draw(painter, row.size);
    painter.end();
    // A picture without a transparent pixel goes without an alpha channel:
    // a reader then decodes it straight into its opaque format.
    return image.convertToFormat(PixelChunk::IsOpaque(image) ? QImage::Format_RGB32 : QImage::Format_ARGB32);
}

QByteArray EncodePng(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setCompression(kBestCompression);
    writer.write(image);
    return bytes;
}

// The program maps the chunk's pixels and never reads the compressed image
// data; other readers read only that.
QByteArray EncodePicture(const QImage &image)
{
    const QByteArray png = EncodePng(image);
    const QByteArray picture = PixelChunk::Insert(png, PixelChunk::PaintedPixels(QImage::fromData(png, "png")));
    return picture.isEmpty() ? png : picture;
}
