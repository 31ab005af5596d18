#include "device/DeviceReports.h"

#include "core/ConfigIni.h"
#include "core/PostMsg.h"
#include "core/RegistryKeys.h"
#include "core/Timing.h"
#include "device/DeviceCache.h"
#include "device/DeviceIdentification.h"
#include "device/DeviceLibrary.h"
#include "device/DeviceState.h"
#include "device/RecordLimits.h"
#include "device/ReceiverChoices.h"
#include "platform/RegistryValues.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QMutexLocker>

#include <cstddef>
#include <cstring>

namespace {

enum ReportClass {
    BatteryClass = 4,
    ConfigurationClass = 8,
    ReconnectClass = 9,
    StatusChangedClass = 10,
    ProfileClass = 14,
    VersionClass = 18,
    ReceiverLedClass = 21,
    LongRangeClass = 23,
};

enum ConfigurationSubCommand {
    FlashOrRateSub = 0,
    CurrentDpiSub = 4,
    DpiLedSub = 0x4C,
    LightBarSub = 0xA0,
};

constexpr int FlashImageBytes = HIDUSB_FLASH_IMAGE_SIZE;
constexpr int DpiLedPayloadBytes = 8;
constexpr int LightBarPayloadBytes = 9;
constexpr int LongRangePayloadBytes = 10;
// The record bytes the DPI-LED and light-bar decoders write.
constexpr std::size_t DpiLedOffset = offsetof(FlashDataMap, DpiLedEffect);
constexpr std::size_t DpiLedBytes = offsetof(FlashDataMap, LightBarEffect) - DpiLedOffset;
constexpr std::size_t LightBarOffset = offsetof(FlashDataMap, LightBarEffect);
constexpr std::size_t LightBarBytes = offsetof(FlashDataMap, Buttons) - LightBarOffset;
constexpr int ProfileCount = 4;
// Report-rate codes above this are the 2, 4 and 8 kHz rates, which a cable
// connection does not take.
constexpr int HighestCableRateCode = 15;
constexpr std::uint8_t FourKiloHertzReceiverKind = 1;
// The receiver-LED modes the description may ask for on a reconnect.
constexpr int FirstReceiverLedMode = 1;
constexpr int LastReceiverLedMode = 3;
constexpr unsigned char NoLongRangeAnswer = 's';
constexpr int MacroKeyCount = 6;
// Button function types whose parameters are the button's own key-sequence
// record and macro block.
constexpr std::uint8_t KeySequenceFunction = 5;
constexpr std::uint8_t MacroFunction = 6;

// The spacing of full re-reads asked for by status changes, and a request
// that came inside it and waits for its end. Both under the mutex.
QMutex g_ReadBackSpacingMutex;
QElapsedTimer g_StatusReadTimer;
bool g_ReadBackDeferred = false;

// Under the spacing mutex.
bool SpacingPassed()
{
    return !g_StatusReadTimer.isValid() || g_StatusReadTimer.elapsed() > Timing().rereadSpacingMs;
}

// Under the spacing mutex: the online watch starts a pass that reads the
// device again.
void AskForReadBack()
{
    g_StatusReadTimer.start();
    g_ReadBackDeferred = false;
    g_RestartRequested = true;
    g_ReadBackRequested = true;
}

// The device changed its configuration (another profile, say): the record
// held is no longer the device's until a full read has come after the last
// change. Inside the spacing the read waits for its end.
void RequestReadBack()
{
    QMutexLocker lock(&g_ReadBackSpacingMutex);
    g_ReadBackOutstanding = true;
    if (SpacingPassed())
        AskForReadBack();
    else
        g_ReadBackDeferred = true;
}

// A full read has filled the record: it is the device's again, unless a
// later change still waits for its own read.
void ReadBackAnswered()
{
    QMutexLocker lock(&g_ReadBackSpacingMutex);
    if (!g_ReadBackDeferred)
        g_ReadBackOutstanding = false;
}

// Whether this read follows a reconnect of this very device. The mark is
// taken either way: it applies to one read only.
bool TakeReconnectMark(const QByteArray& path)
{
    auto mark = g_ReconnectedDevicePath.Lock();
    const bool follows = !mark->isEmpty() && *mark == path;
    mark->clear();
    return follows;
}

PostMsg* Hub()
{
    return PostMsg::GetInstance();
}

// Sends the record as it is now, under its lock, so that a sender on the GUI
// thread cannot have its newer record overtaken by this one.
void SendCurrentRecord()
{
    auto flash = g_FlashData.Lock();
    ProtocolDataUpdate(&*flash);
}

// Decodes a part of the record with a library decoder: into a copy, then the
// decoded bytes into g_FlashData. Gives the whole record after the change.
template <typename Decoder>
FlashDataMap DecodeIntoRecord(Decoder decode, std::size_t offset, std::size_t length)
{
    FlashDataMap decoded = g_FlashData.Snapshot();
    auto* decodedBytes = reinterpret_cast<unsigned char*>(&decoded);
    decode(decodedBytes + offset);
    auto flash = g_FlashData.Lock();
    std::memcpy(reinterpret_cast<unsigned char*>(&*flash) + offset, decodedBytes + offset, length);
    return *flash;
}

// The device description's group of the current device's model.
QString CurrentModelGroup()
{
    return ModelGroup(g_CurrentDevice.Snapshot().ModelIndex);
}

// Item index of a decimal list of the device description; -1 when it is
// missing or not a number.
int OptionNumber(const QStringList& items, int index)
{
    bool isNumber = false;
    const int value = ListItem(items, index).toInt(&isNumber);
    return isNumber ? value : -1;
}

template <typename Record>
bool IsBlank(const Record& record)
{
    const Record blank{};
    return std::memcmp(&record, &blank, sizeof(Record)) == 0;
}

template <typename Record>
bool Clear(Record& record)
{
    if (IsBlank(record))
        return false;
    record = Record{};
    return true;
}

// Clears the key sequences and macros that no button's function uses. The
// record of a button set to a key sequence (a key combination or multimedia
// key) or to a macro stays, and so do both records of the buttons the model
// presets to a key sequence. True when it changed the record.
bool ClearUnusedKeySequencesAndMacros()
{
    QList<int> kept;
    ConfigIni* config = ConfigIni::GetInstance();
    const QString group = CurrentModelGroup();
    for (int key = 1; key <= MacroKeyCount; ++key) {
        if (ListItem(config->ValueList(group, "KeyParam" + QString::number(key)), 0) == "0x05")
            kept.append(key - 1);
    }
    g_MacroKeyIndexes = kept;
    auto flash = g_FlashData.Lock();
    bool changed = false;
    for (int button = 0; button < ButtonCount; ++button) {
        if (kept.contains(button))
            continue;
        const std::uint8_t type = flash->Buttons[button].Type;
        if (type != KeySequenceFunction)
            changed |= Clear(flash->KeyEvents[button]);
        if (type != MacroFunction)
            changed |= Clear(flash->Macros[button]);
    }
    return changed;
}

void FullRead(const unsigned char* payload)
{
    FlashDataMap parsed = g_FlashData.Snapshot();
    // A payload the codec rejects would leave an old (or empty) record to be
    // written back to the device: ignore it.
    if (!ProtocolDataParser(payload, &parsed))
        return;
    const DeviceAllInfo device = g_CurrentDevice.Snapshot();
    const QByteArray path = g_DevicePathC.Snapshot();
    {
        // The record, its model and whether it is the device's change
        // together: the offline copy never sees the new record still marked
        // as another profile's, nor the old one marked as the device's.
        std::lock_guard<std::recursive_mutex> lock(DeviceStateMutex());
        g_FlashData.Set(parsed);
        g_DeviceCacheNameRead.Set(DeviceCacheFileName(device.Identity));
        ReadBackAnswered();
    }
    UsbServer_ReadDPILed();
    UsbServer_ReadBatteryLevel();
    UsbServer_ReadVersion();
    UsbServer_ReadConfig();

    const bool followsReconnect = TakeReconnectMark(path);
    if (!followsReconnect)
        ReadReceiverOptionsBack(device, path);

    // The record just read is the device's own: only a clean-up that changed
    // it gives something to write back.
    if (followsReconnect && ClearUnusedKeySequencesAndMacros())
        SendCurrentRecord();

    g_MacroKeyIndexes.clear();
    g_SensorPageUpdated = false;
    g_ButtonPageUpdated = false;
    EmitRecordToPages([] { return g_FlashData.Snapshot(); });
    g_DeviceReachable = true;
    g_WorkerRunFlag = false;
}

// The mouse reports a value it already holds (a button on it changed it):
// shown and held, never sent back. The record held may still be another
// profile's, awaiting its re-read. A value no page can show is dropped.
void ReportRate(std::uint8_t code)
{
    if (g_CurrentDevice.Snapshot().KindFlag && code > HighestCableRateCode)
        return;
    if (!IsSettableReportRate(code))
        return;
    g_FlashData.Lock()->ReportRate = code;
    Hub()->EmitUpDataReportRate(code);
}

void CurrentDpiLevel(std::uint8_t level)
{
    {
        auto flash = g_FlashData.Lock();
        if (!IsSettableCurrentDpiLevel(level, flash->DpiLevelCount))
            return;
        flash->CurrentDpiLevel = level;
    }
    Hub()->EmitUpDataDPI(level);
}

void ConfigurationReport(int subCommand, const unsigned char* payload, int length)
{
    if (subCommand == FlashOrRateSub && length == FlashImageBytes) {
        FullRead(payload);
    } else if (subCommand == FlashOrRateSub && length == 1) {
        ReportRate(payload[0]);
    } else if (subCommand == CurrentDpiSub && length == 1) {
        CurrentDpiLevel(payload[0]);
    } else if (subCommand == DpiLedSub && length == DpiLedPayloadBytes) {
        const FlashDataMap record = DecodeIntoRecord(
            [payload](unsigned char* bytes) { BufferToDPILed(payload, bytes); }, DpiLedOffset, DpiLedBytes);
        Hub()->EmitUpDataDPILed(record);
    } else if (subCommand == LightBarSub && length == LightBarPayloadBytes) {
        const FlashDataMap record = DecodeIntoRecord(
            [payload](unsigned char* bytes) { BufferToLedBar(payload, bytes); }, LightBarOffset, LightBarBytes);
        Hub()->EmitUpDataLightLight(record);
    }
}

// A receiver that wakes or reconnects gets its options set again: the user's
// own choice for it, else the model's default.
void Reconnect()
{
    UsbServer_SetBatteryOptimizeEnable(1);
    const QStringList advanced = ConfigIni::GetInstance()->ValueList(CurrentModelGroup(), "Adveanced");
    const int modelLongRange = OptionNumber(advanced, 0);
    const int modelLedMode = OptionNumber(advanced, 1);
    const DeviceAllInfo device = g_CurrentDevice.Snapshot();
    const QByteArray path = g_DevicePathC.Snapshot();

    // The user's own choice, else the model's; only the receiver's three
    // modes are written (300 in the description would reach it as 44).
    const int ledMode = modelLedMode > 0 ? ReceiverChoice(device, ReceiverOption::Led, modelLedMode) : 0;
    if (ledMode >= FirstReceiverLedMode && ledMode <= LastReceiverLedMode && !device.KindFlag
        && device.Kind == FourKiloHertzReceiverKind) {
        DongleRGB led{};
        {
            auto shared = g_DongleRGB.Lock();
            shared->Mode = std::uint8_t(ledMode);
            UsbFinderC_Set4KDongleRGB(path.constData(), &*shared);
            led = *shared;
        }
        Hub()->EmitRGBValue(&led);
    }
    if (modelLongRange == 0 || modelLongRange == 1) {
        const int longRange = ReceiverChoice(device, ReceiverOption::LongRange, modelLongRange);
        UsbFinderC_SetLongRangeMode(path.constData(), longRange);
        Hub()->EmitLongRangeMode(longRange == 1);
    }
    g_ReconnectedDevicePath.Set(path);
    UsbServer_ReadAllFlashData();
}

void VersionReport()
{
    const int word = UsbFinderC_GetVersion(g_DevicePathC.Snapshot().constData());
    const QString version = "v" + QString::number(word >> 8) + "." + QString::number(word & 0xFF, 16);
    g_CurrentDevice.Lock()->SecondVersion = version;
    Hub()->EmitSetver(0);
    ConfigIni* config = ConfigIni::GetInstance();
    const QString name = MouseVersionValueName(config->Value("Option", "CID"),
                                               config->Value(CurrentModelGroup(), "MID"));
    SetRegistryValue(MouseDriveTestKey(), name, version);
}

}  // namespace

void OnDeviceReport(unsigned char* header, int headerLength, unsigned char* payload, int payloadLength)
{
    auto headerByte = [&](int index) { return header && index < headerLength ? header[index] : 0; };
    const int reportClass = headerByte(1);
    const int status = headerByte(3);
    const int subCommand = headerByte(4);
    const int length = payload ? payloadLength : 0;

    switch (reportClass) {
    case BatteryClass:
        if (length < BatteryPayloadBytes)
            return;
        GetDeviceBatteryStatus(payload, g_BatteryStatus);
        Hub()->EmitBattery(g_BatteryStatus[1] != 0, g_BatteryStatus[0], g_ShowBatteryValue == 1);
        break;
    case ConfigurationClass:
        if (status == 0)
            ConfigurationReport(subCommand, payload, length);
        break;
    case ReconnectClass:
        Reconnect();
        break;
    case StatusChangedClass:
        if (length < StatusChangedPayloadBytes)
            return;
        GetDeviceStatusChanged(payload, g_StatusChanged);
        HandleStatusChanged();
        break;
    case ProfileClass:
        if (length == 1)
            Hub()->EmitUpDataConfigUI(ProfileCount, payload[0], true);
        else
            Hub()->EmitUpDataConfigUI(0, 0, false);
        break;
    case VersionClass:
        VersionReport();
        break;
    case ReceiverLedClass: {
        DongleRGB led = g_DongleRGB.Snapshot();
        Hub()->EmitRGBValue(&led);
        break;
    }
    case LongRangeClass:
        if (length == LongRangePayloadBytes)
            Hub()->EmitLongRangeMode(false);
        break;
    default:
        break;
    }
}

void HandleStatusChanged()
{
    if (g_StatusChanged[0])
        UsbServer_ReadCurrentDPI();
    if (g_StatusChanged[1])
        UsbServer_ReadReportRate();
    if (g_StatusChanged[6])
        UsbServer_ReadBatteryLevel();
    if (g_StatusChanged[5])
        UsbServer_ReadLedBar();
    if (g_StatusChanged[3])
        UsbServer_ReadDPILed();
    if (g_StatusChanged[2])
        RequestReadBack();
}

void TakeDeferredReadBack()
{
    QMutexLocker lock(&g_ReadBackSpacingMutex);
    if (g_ReadBackDeferred && SpacingPassed())
        AskForReadBack();
}

bool ReadBackBeforeLeaving()
{
    {
        QMutexLocker lock(&g_ReadBackSpacingMutex);
        if (!g_ReadBackOutstanding)
            return false;
        g_StatusReadTimer.start();
        g_ReadBackDeferred = false;
    }
    return UsbServer_ReadAllFlashData() != 0;
}

void ForgetDeviceRequests()
{
    g_ReconnectedDevicePath.Set(QByteArray());
    QMutexLocker lock(&g_ReadBackSpacingMutex);
    g_ReadBackDeferred = false;
    g_ReadBackOutstanding = false;
}

void ReadReceiverOptionsBack(const DeviceAllInfo& device, const QByteArray& path, const std::function<bool()>& stop)
{
    if (!device.KindFlag && device.Kind == FourKiloHertzReceiverKind) {
        DongleRGB led{};
        {
            auto shared = g_DongleRGB.Lock();
            UsbFinderC_Get4KDongleRGBValue(path.constData(), &*shared);
            led = *shared;
        }
        if (led.Mode != 0 && !stop())
            Hub()->EmitRGBValue(&led);
    }
    if (stop())
        return;
    unsigned char longRange = NoLongRangeAnswer;
    UsbFinderC_GetLongRangeMode(path.constData(), &longRange);
    // Off is reported too: the page may still show the last receiver's mode.
    if (longRange != NoLongRangeAnswer)
        Hub()->EmitLongRangeMode(longRange != 0);
}

void RestartReadBackSpacing()
{
    QMutexLocker lock(&g_ReadBackSpacingMutex);
    g_StatusReadTimer.start();
}

void EmitRecordToPages(const std::function<FlashDataMap()>& record, const std::function<bool()>& stop)
{
    PostMsg* hub = Hub();
    if (stop())
        return;
    hub->EmitUpDataLightUIButton(record());
    if (stop())
        return;
    hub->EmitUpDataLightLight(record());
    if (stop())
        return;
    hub->EmitUpDataLightSensor(record());
    if (stop())
        return;
    hub->EmitForm();
}
