#include "Render.h"

#include "Manifest.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

QImage RenderPicture(const PictureRow &row)
{
    QImage image(row.size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    row.draw(painter, row.size);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray EncodePng(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setCompression(9);
    writer.write(image);
    return bytes;
}
