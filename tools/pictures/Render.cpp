#include "Render.h"

#include "Manifest.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

namespace {

// Qt's PNG writer takes its compression as a ratio from 0 to 100. The
// pictures are stored uncompressed: the program decodes about a hundred of
// them while it starts, and inflating them made that slower.
constexpr int kUncompressed = 0;

bool IsOpaque(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) != 255)
                return false;
        }
    }
    return true;
}

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
    // the program then decodes it straight into the screen's format, several
    // times faster and without a second copy.
    return image.convertToFormat(IsOpaque(image) ? QImage::Format_RGB32 : QImage::Format_ARGB32);
}

QByteArray EncodePng(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setCompression(kUncompressed);
    writer.write(image);
    return bytes;
}
