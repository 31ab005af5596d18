#pragma once

#include <QByteArray>
#include <QImage>

#include <optional>

// The private PNG chunk in which the build stores each picture's pixels as Qt
// paints them (RGB32 for an opaque picture, premultiplied ARGB32 otherwise),
// right after the header chunk, beside the picture's ordinary image data. A
// reader that knows the chunk can map the pixels instead of decoding them;
// any other reader skips it. The chunk is marked unsafe to copy, so an
// editor that changes the picture drops it.
//
// Chunk data: width, height, QImage::Format and bytes per line (32 bits each,
// big-endian), zeros up to the pixels, which start at file offset
// kPixelsOffset, then the rows.
namespace PixelChunk {

constexpr qint64 kPixelsOffset = 64;

// Where a file's pixels lie.
struct Layout
{
    int width = 0;
    int height = 0;
    QImage::Format format = QImage::Format_Invalid;
    int bytesPerLine = 0;
    qint64 offset = 0;
    qint64 size = 0;
};

// From the first kPixelsOffset bytes of a file of fileSize bytes: the pixels'
// layout when the file is a PNG whose chunk fits its header and its size.
std::optional<Layout> Find(const QByteArray& head, qint64 fileSize);

// png (as Qt writes it) with the chunk holding pixels inserted after its
// header chunk; pixels must have png's size and be RGB32 for an RGB png or
// premultiplied ARGB32 for an RGBA one. An empty result when they do not fit.
QByteArray Insert(const QByteArray& png, const QImage& pixels);

// Whether no pixel of image is transparent in any degree.
bool IsOpaque(const QImage& image);

// The pixels Qt paints from when it loads image: its opaque or premultiplied
// form.
QImage PaintedPixels(const QImage& image);

} // namespace PixelChunk
