#pragma once

// The records the program exchanges with the device library and passes
// between its parts. The packed records are a wire format: the library reads
// and writes them as raw bytes, and the offline cache and the exported
// settings files store the same bytes, so every size and offset is fixed.
// Multi-byte numbers are little-endian, which is the host order on every
// platform the program builds for (checked below).

#include <QByteArray>
#include <QMetaType>
#include <QString>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "device records are stored in host order, which must be little-endian");

constexpr int DpiLevelEntryCount = 8;
constexpr int ButtonCount = 16;
constexpr int KeyEventsPerButton = 6;
constexpr int MacroEventsPerBlock = 70;
constexpr int MacroNameBytes = 30;

#pragma pack(push, 1)

// One DPI level: sensor code of the level (X and Y always equal), its range
// class ORed with the high code bits, and its indicator colour.
struct DpiLevelEntry {
    std::uint8_t XCode;
    std::uint8_t YCode;
    std::uint8_t RangeBits;
    std::uint8_t Red;
    std::uint8_t Green;
    std::uint8_t Blue;
};

// The function of one physical button: type (0 none, 1 mouse button, 2 DPI,
// 3 tilt, 4 fire key, 5 key sequence, 6 macro, 7 report-rate switch,
// 8 lighting toggle, 9 profile switch, 10 DPI lock, 11 wheel) and its two
// parameters.
struct ButtonFunction {
    std::uint8_t Type;
    std::uint8_t Param1;
    std::uint8_t Param2;
};

// One key, consumer or mouse-button event with the delay that follows it.
struct DeviceEvent {
    std::uint8_t Direction;  // 0 press, 1 release
    std::uint8_t Kind;       // 0 modifier bits, 1 keyboard usage, 2 consumer usage, 4 mouse-button bits
    std::uint16_t Code;
    std::uint32_t DelayMs;
};

// The key sequence of one button; events beyond the count are zero.
struct KeyEventRecord {
    std::uint8_t EventCount;  // 0..6
    std::uint8_t Zero[3];
    DeviceEvent Events[KeyEventsPerButton];
};

// The macro of one button; the name is in the local 8-bit code page.
struct MacroBlock {
    std::uint8_t NameLength;  // 0..30
    char Name[MacroNameBytes];
    std::uint8_t EventCount;  // 0..70
    DeviceEvent Events[MacroEventsPerBlock];
};

// The device's whole configuration. Value-initialise it (`FlashDataMap data{}`)
// to start from zero bytes.
struct FlashDataMap {
    std::uint8_t ReportRate;            // 8 = 125 Hz, 4, 2, 1 = 1000 Hz, 16, 32, 64 = 8000 Hz
    std::uint8_t DpiLevelCount;         // 1..8
    std::uint8_t CurrentDpiLevel;       // 0..7
    std::uint8_t Reserved3;             // kept as the device delivered it
    std::uint8_t Reserved4;
    std::uint8_t LiftOffDistance;       // 1 = 1 mm, 2 = 2 mm, 3 = 0.7 mm
    std::uint8_t ButtonDebounce;        // index of the debounce time, 0..19
    std::uint8_t MotionSync;
    std::uint8_t SleepTime;             // units of 10 s
    std::uint8_t AngleSnapping;
    std::uint8_t RippleControl;
    std::uint8_t LightBarRipple;
    std::uint8_t PerformanceMode;
    std::uint8_t PerformanceSleepTime;  // units of 10 s
    std::uint8_t SensorMode;            // 0 LP, 1 HP, 2 Corded
    DpiLevelEntry DpiLevels[DpiLevelEntryCount];
    std::uint8_t DpiLedEffect;          // 1 steady, 2 breathing
    std::uint8_t DpiLedBrightness;
    std::uint8_t DpiLedSpeed;           // 1..5
    std::uint8_t DpiLedOn;
    std::uint8_t LightBarEffect;        // 1..5
    std::uint8_t LightBarRed;
    std::uint8_t LightBarGreen;
    std::uint8_t LightBarBlue;
    std::uint8_t LightBarSpeed;         // speed step - 1
    std::uint8_t LightBarBrightness;    // brightness step - 1
    std::uint8_t LightBarOn;
    ButtonFunction Buttons[ButtonCount];
    std::uint8_t Reserved122[2];        // never touched by the program
    KeyEventRecord KeyEvents[ButtonCount];
    MacroBlock Macros[ButtonCount];
};

// The receiver-LED record handed by address to the library. Only byte 0, the
// LED mode (1, 2 or 3), is the program's; the rest belongs to the library.
struct DongleRGB {
    std::uint8_t Mode;
    std::uint8_t LibraryBytes[9];
};

#pragma pack(pop)

static_assert(sizeof(DpiLevelEntry) == 6, "DpiLevelEntry is 6 bytes");
static_assert(sizeof(ButtonFunction) == 3, "ButtonFunction is 3 bytes");
static_assert(sizeof(DeviceEvent) == 8, "DeviceEvent is 8 bytes");
static_assert(offsetof(DeviceEvent, Code) == 2 && offsetof(DeviceEvent, DelayMs) == 4, "DeviceEvent layout");
static_assert(sizeof(KeyEventRecord) == 52 && offsetof(KeyEventRecord, Events) == 4, "KeyEventRecord layout");
static_assert(sizeof(MacroBlock) == 592, "MacroBlock is 592 bytes");
static_assert(offsetof(MacroBlock, Name) == 1 && offsetof(MacroBlock, EventCount) == 31
              && offsetof(MacroBlock, Events) == 32, "MacroBlock layout");
static_assert(sizeof(DongleRGB) == 10, "DongleRGB is 10 bytes");

static_assert(sizeof(FlashDataMap) == 10428, "FlashDataMap is 10,428 bytes");
static_assert(offsetof(FlashDataMap, SensorMode) == 14, "single settings end at byte 14");
static_assert(offsetof(FlashDataMap, DpiLevels) == 15, "DPI levels start at byte 15");
static_assert(offsetof(FlashDataMap, DpiLedEffect) == 63, "DPI-LED bytes start at byte 63");
static_assert(offsetof(FlashDataMap, LightBarEffect) == 67 && offsetof(FlashDataMap, LightBarOn) == 73, "light-bar bytes 67-73");
static_assert(offsetof(FlashDataMap, Buttons) == 74, "button functions start at byte 74");
static_assert(offsetof(FlashDataMap, Reserved122) == 122, "reserved bytes 122-123");
static_assert(offsetof(FlashDataMap, KeyEvents) == 124, "key sequences start at byte 124");
static_assert(offsetof(FlashDataMap, Macros) == 956, "macros start at byte 956");

// Whole-record comparison, byte by byte (reserved bytes included).
bool operator==(const FlashDataMap& left, const FlashDataMap& right);
bool operator!=(const FlashDataMap& left, const FlashDataMap& right);

// One device found on USB. A plain value type: copied and assigned member by
// member. Identity word and kind byte start at 0 until identification fills them.
struct DeviceAllInfo {
    QString Path;                 // HID path as the library reports it; empty: no device
    QString Vid = "0";            // vendor id text from the device description
    QString Pid = "0";            // product id text from the device description
    std::uint16_t Identity = 0;   // CID in the low byte, MID in the high byte
    std::uint8_t Kind = 0;        // connection kind; 0, 4, 1, 5 are receivers of the 1K, 2K, 4K, 8K classes
    int ModelIndex = 0;           // entry "Drive" + (index + 1) of the device description
    bool Online = false;
    bool KindFlag = false;        // a wired connection, see KindFlagOf
    QString Version;              // firmware version text, see VersionText
    QString SecondVersion;        // mouse firmware version as the device reports it
    QByteArray ReceiverId;        // the three receiver identity bytes, empty until known

    std::uint8_t Cid() const { return static_cast<std::uint8_t>(Identity & 0xFF); }
    std::uint8_t Mid() const { return static_cast<std::uint8_t>(Identity >> 8); }
};

// True for a wired connection: the kind has a bit other than 0x01 and 0x04
// set (kinds 2, 3 and 6 up); false for the receiver kinds 0, 1, 4 and 5.
constexpr bool KindFlagOf(std::uint8_t kind) { return (kind & 0xFA) != 0; }

// "v" + the high byte of a firmware version word in decimal + "." + the low
// byte in lower-case hexadecimal, both without leading zeros: 0x010A -> "v1.a".
QString VersionText(std::uint16_t versionWord);

Q_DECLARE_METATYPE(FlashDataMap)
Q_DECLARE_METATYPE(DeviceAllInfo)
Q_DECLARE_METATYPE(DongleRGB*)
