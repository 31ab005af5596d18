#pragma once

// The DPI level codec of the sensor page. A DPI level travels to the device as
// three bytes of its DpiLevelEntry: the sensor's own register code (X and Y
// alike) and a flags byte holding the DPI range class and, for some sensors,
// code bits 8 and 9. Codes come from the sensor's table in the capability
// header ("SENSOR_" + sensor + "_DPI_" + DPI) or from the sensor's formula.
//
// Everything here belongs to the GUI thread.

#include <QString>
#include <QStringList>
#include <QVector>

#include <cstdint>

// The current device's sensor model ("Sensor" of its Drive group).
extern QString g_SensorName;
// The definitions of the capability header, in file order: name i has value i.
extern QStringList g_SensorDefineNames;
extern QVector<int> g_SensorDefineValues;

// The DPI ranges of the current model, from its DPIRange list: up to four
// triplets (minimum, maximum, step) and a last item, the range class in
// hexadecimal (0x11, 0x22 or 0x33; anything else means none).
extern int g_DpiRangeCode;
extern int g_DpiSegmentCount; // (items - 1) / 3; 1 to 4 for a well-formed list
extern QString g_DpiSeg1Min, g_DpiSeg1Max, g_DpiSeg1Step;
extern QString g_DpiSeg2Min, g_DpiSeg2Max, g_DpiSeg2Step;
extern QString g_DpiSeg3Min, g_DpiSeg3Max, g_DpiSeg3Step;
extern QString g_DpiSeg4Min, g_DpiSeg4Max, g_DpiSeg4Step;
extern QVector<int> g_DpiRangeMins;   // the minimum of each loaded range, range 1 first
extern QVector<int> g_DpiRangeMaxes;  // the maximum of each loaded range

// The whole DPI span of the loaded ranges, as texts.
struct DpiOverallRange
{
    QString minimum; // item 0
    QString maximum; // the maximum of the last range
};

// Loads the range tables from a DPIRange list. A list of 1 to 4 triplets (and
// the class) fills the range texts, the two vectors and *overall, and returns
// true; any other length empties the vectors, leaves texts and *overall as
// they were and returns false. The class is read from the last item either way
// (0 for an empty list).
bool LoadDpiRangeTables(const QStringList& items, DpiOverallRange* overall);

// Range segment j (1 to 4) read as numbers; a text that is no number gives 0.
struct DpiSegment
{
    int minimum = 0;
    int maximum = 0;
    int step = 0;
};
DpiSegment DpiSegmentValues(int j);

struct DpiLevelCode
{
    int code = 0;              // the register code; the record keeps its low byte
    std::uint8_t flags = 0;    // range class bits and high code bits
};

// The code and flags for a DPI value (already quantised to its range).
// currentFlags is the level's flags byte as the record holds it now.
DpiLevelCode EncodeLevelDpi(int dpi, std::uint8_t currentFlags);

// Encodes a level's DPI and sends it with SendDPILevelValue (the code as X and
// Y, then the flags); false when the device did not take it. A level outside
// 0..7 (-1: no level chosen) sends nothing.
bool EncodeAndSendLevelDpi(int level, int dpi);

// The DPI of a level's X code and flags byte (the Y code is not read); a
// table value too large to double stops at the largest int.
int DecodeLevelDpi(int code, int flags);

// Whether a level keeps a DPI value whole: encoded, with the code cut to the
// record's byte, it reads back as the same value.
bool LevelKeepsDpi(int dpi);

// Every DPI the decoder gives for a code byte and a flags byte the encoder
// writes (each range class, each pair of high code bits): the values a level
// can hold, some of them more than once.
QVector<int> LevelDpiReadings();
