#include "widgets/PixelChunk.h"

#include <QtEndian>

#include <array>
#include <cstring>

namespace PixelChunk {
namespace {

constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";
constexpr int kSignatureSize = 8;
// Offsets in the file: the header chunk's fields, then this chunk's.
constexpr int kHeaderLength = 8;
constexpr int kHeaderType = 12;
constexpr int kHeaderWidth = 16;
constexpr int kHeaderHeight = 20;
constexpr int kHeaderEnd = 33;
constexpr int kChunkType = kHeaderEnd + 4;
constexpr int kChunkData = kHeaderEnd + 8;
constexpr int kFieldWidth = kChunkData;
constexpr int kFieldHeight = kChunkData + 4;
constexpr int kFieldFormat = kChunkData + 8;
constexpr int kFieldBytesPerLine = kChunkData + 12;
constexpr int kFieldsEnd = kChunkData + 16;
// Ancillary, private, reserved bit clear, unsafe to copy.
constexpr char kType[] = "qvPX";
// Sides beyond this are no picture of the program's; it keeps sizes in range.
constexpr int kMaxSide = 16384;
constexpr int kCrcSize = 4;

quint32 At(const QByteArray& bytes, int offset)
{
    return qFromBigEndian<quint32>(bytes.constData() + offset);
}

void Append32(QByteArray& bytes, quint32 value)
{
    char field[4];
    qToBigEndian(value, field);
    bytes.append(field, 4);
}

bool PaintedFormat(quint32 format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied;
}

// The CRC of PNG chunks (ISO 3309).
quint32 ChunkCrc(const QByteArray& typeAndData)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> entries{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
        return entries;
    }();
    quint32 crc = 0xFFFFFFFFu;
    for (char byte : typeAndData)
        crc = table[(crc ^ quint8(byte)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

bool StartsLikeAPng(const QByteArray& bytes)
{
    return bytes.size() >= kHeaderEnd && std::memcmp(bytes.constData(), kSignature, kSignatureSize) == 0
           && At(bytes, kHeaderLength) == 13 && std::memcmp(bytes.constData() + kHeaderType, "IHDR", 4) == 0;
}

} // namespace

std::optional<Layout> Find(const QByteArray& head, qint64 fileSize)
{
    if (head.size() < kPixelsOffset || !StartsLikeAPng(head)
        || std::memcmp(head.constData() + kChunkType, kType, 4) != 0)
        return std::nullopt;
    const quint32 width = At(head, kHeaderWidth);
    const quint32 height = At(head, kHeaderHeight);
    const quint32 format = At(head, kFieldFormat);
    const quint32 bytesPerLine = At(head, kFieldBytesPerLine);
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide || At(head, kFieldWidth) != width
        || At(head, kFieldHeight) != height || !PaintedFormat(format) || bytesPerLine != width * 4)
        return std::nullopt;
    const qint64 size = qint64(height) * bytesPerLine;
    const qint64 chunkLength = kPixelsOffset - kChunkData + size;
    if (At(head, kHeaderEnd) != chunkLength || kChunkData + chunkLength + kCrcSize > fileSize)
        return std::nullopt;
    for (int i = kFieldsEnd; i < kPixelsOffset; ++i) {
        if (head.at(i) != 0)
            return std::nullopt;
    }
    return Layout{int(width), int(height), QImage::Format(format), int(bytesPerLine), kPixelsOffset, size};
}

QByteArray Insert(const QByteArray& png, const QImage& pixels)
{
    if (!StartsLikeAPng(png) || At(png, kHeaderWidth) != quint32(pixels.width())
        || At(png, kHeaderHeight) != quint32(pixels.height()) || !PaintedFormat(pixels.format())
        || pixels.bytesPerLine() != pixels.width() * 4)
        return QByteArray();
    QByteArray typeAndData(kType, 4);
    Append32(typeAndData, quint32(pixels.width()));
    Append32(typeAndData, quint32(pixels.height()));
    Append32(typeAndData, quint32(pixels.format()));
    Append32(typeAndData, quint32(pixels.bytesPerLine()));
    typeAndData.append(QByteArray(kPixelsOffset - kFieldsEnd, '\0'));
    typeAndData.append(reinterpret_cast<const char*>(pixels.constBits()), int(pixels.sizeInBytes()));

    QByteArray result = png.left(kHeaderEnd);
    Append32(result, quint32(typeAndData.size() - 4));
    result.append(typeAndData);
    Append32(result, ChunkCrc(typeAndData));
    result.append(png.mid(kHeaderEnd));
    return result;
}

bool IsOpaque(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return true;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(line[x]) != 255)
                return false;
        }
    }
    return true;
}

QImage PaintedPixels(const QImage& image)
{
    return image.convertToFormat(IsOpaque(image) ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
}

} // namespace PixelChunk
