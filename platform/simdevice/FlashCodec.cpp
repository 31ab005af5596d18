#include "platform/simdevice/FlashCodec.h"

#include <cstring>

namespace simdevice {
namespace {

constexpr int kFormatByte = 4;
constexpr int kEntryCountByte = 5;
constexpr int kChecksumByte = 6;
constexpr int kChecksummedFrom = 8;
constexpr int kPoolOffset = 964;
constexpr uint8_t kFormat = 1;
const char kMagic[4] = {'Q', 'V', 'F', '1'};

uint16_t Checksum(const uint8_t* image)
{
    uint32_t sum = 0;
    for (int i = kChecksummedFrom; i < kImageSize; ++i)
        sum += image[i];
    return uint16_t(sum);
}

void WriteChecksum(uint8_t* image)
{
    const uint16_t sum = Checksum(image);
    image[kChecksumByte] = uint8_t(sum);
    image[kChecksumByte + 1] = uint8_t(sum >> 8);
}

int EntrySize(int nameLength, int eventCount)
{
    return 3 + nameLength + eventCount * kEventSize;
}

}

FlashImage EncodeFlashImage(const uint8_t* record, std::vector<int>* dropped)
{
    FlashImage image{};
    std::memcpy(image.data(), kMagic, sizeof kMagic);
    image[kFormatByte] = kFormat;
    std::memcpy(image.data() + ImageOffsetOfRecordByte(0), record, kFixedRecordSize);

    int at = kPoolOffset;
    int entries = 0;
    for (int k = 0; k < kMacroCount; ++k) {
        const uint8_t* block = record + kMacroBase + kMacroSize * k;
        const int n = block[0] < kMacroMaxName ? block[0] : kMacroMaxName;
        const int c = block[31] < kMacroMaxEvents ? block[31] : kMacroMaxEvents;
        if (n == 0 && c == 0)
            continue;
        if (at + EntrySize(n, c) > kImageSize) {
            if (dropped)
                dropped->push_back(k);
            continue;
        }
        image[at++] = uint8_t(k);
        image[at++] = uint8_t(n);
        std::memcpy(image.data() + at, block + 1, n);
        at += n;
        image[at++] = uint8_t(c);
        std::memcpy(image.data() + at, block + 32, size_t(c) * kEventSize);
        at += c * kEventSize;
        ++entries;
    }
    image[kEntryCountByte] = uint8_t(entries);
    WriteChecksum(image.data());
    return image;
}

bool IsValidFlashImage(const uint8_t* image)
{
    if (std::memcmp(image, kMagic, sizeof kMagic) != 0 || image[kFormatByte] != kFormat)
        return false;
    const uint16_t stored = uint16_t(image[kChecksumByte] | image[kChecksumByte + 1] << 8);
    return stored == Checksum(image);
}

bool DecodeFlashImage(const uint8_t* image, uint8_t* record)
{
    if (!IsValidFlashImage(image))
        return false;
    Record decoded{};
    std::memcpy(decoded.data(), image + ImageOffsetOfRecordByte(0), kFixedRecordSize);
    // The entry count lies outside the checksum: entries must also be what
    // the encoder writes (keys rising, none empty) to be taken.
    int at = kPoolOffset;
    int lastKey = -1;
    for (int e = 0; e < image[kEntryCountByte]; ++e) {
        if (at + 2 > kImageSize)
            return false;
        const int k = image[at];
        const int n = image[at + 1];
        if (k <= lastKey || k >= kMacroCount || n > kMacroMaxName || at + 3 + n > kImageSize)
            return false;
        const int c = image[at + 2 + n];
        if ((n == 0 && c == 0) || c > kMacroMaxEvents || at + EntrySize(n, c) > kImageSize)
            return false;
        lastKey = k;
        uint8_t* block = decoded.data() + kMacroBase + kMacroSize * k;
        std::memset(block, 0, kMacroSize);
        block[0] = uint8_t(n);
        std::memcpy(block + 1, image + at + 2, n);
        block[31] = uint8_t(c);
        std::memcpy(block + 32, image + at + 3 + n, size_t(c) * kEventSize);
        at += EntrySize(n, c);
    }
    std::memcpy(record, decoded.data(), kRecordSize);
    return true;
}

void SetImageRecordByte(FlashImage& image, int recordOffset, uint8_t value)
{
    image[ImageOffsetOfRecordByte(recordOffset)] = value;
    WriteChecksum(image.data());
}

uint8_t ImageRecordByte(const FlashImage& image, int recordOffset)
{
    return image[ImageOffsetOfRecordByte(recordOffset)];
}

uint32_t Crc32(const uint8_t* data, size_t length)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

}
