#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// The device's flash image of one profile and its conversion to and from the
// program's configuration record. The image keeps the fixed part of the record
// verbatim and packs the macros into a pool, so only macros that are set use
// flash space.
namespace simdevice {

constexpr int kRecordSize = 10428;
constexpr int kImageSize = 6912;
constexpr int kFixedRecordSize = 956;   // settings, levels, lights, buttons, key sequences
constexpr int kMacroBase = 956;
constexpr int kMacroSize = 592;
constexpr int kMacroCount = 16;
constexpr int kMacroMaxName = 30;
constexpr int kMacroMaxEvents = 70;
constexpr int kEventSize = 8;

using Record = std::array<uint8_t, kRecordSize>;
using FlashImage = std::array<uint8_t, kImageSize>;

// Offset of record byte r (r < kFixedRecordSize) inside the image.
constexpr int ImageOffsetOfRecordByte(int r) { return 8 + r; }

// Encodes a record; macros that do not fit the pool are left out and their
// key indexes listed in dropped.
FlashImage EncodeFlashImage(const uint8_t* record, std::vector<int>* dropped);

// Decodes an image; false (and record untouched) when it is not a valid image.
bool DecodeFlashImage(const uint8_t* image, uint8_t* record);

bool IsValidFlashImage(const uint8_t* image);

// Changes one byte of the fixed part and keeps the checksum right.
void SetImageRecordByte(FlashImage& image, int recordOffset, uint8_t value);
uint8_t ImageRecordByte(const FlashImage& image, int recordOffset);

uint32_t Crc32(const uint8_t* data, size_t length);

}
