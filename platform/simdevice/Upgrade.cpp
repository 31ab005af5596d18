#include "platform/simdevice/Upgrade.h"

#include "platform/simdevice/SimState.h"

#include <QDateTime>

#include <algorithm>
#include <cstring>

namespace simdevice {
namespace {

constexpr int kHeaderSize = 728;
constexpr int kMouseTarget = 210;
constexpr int kReceiverTarget = 211;
// No device of the family has more flash than this: a larger length word is
// refused before a byte of the image beyond its header is read.
constexpr uint32_t kLargestImage = 512 * 1024;
const char kIntegrityMagic[4] = {'Q', 'V', 'F', 'W'};
// The program marks an upgrade as running only at its next one-second step,
// so progress and the result must not come earlier, whatever the time scale.
constexpr int kFirstProgressMs = 1500;
constexpr int kEarliestResultMs = 2500;
constexpr int kProgressStepMs = 250;
constexpr int kUpgradeDurationMs = 6000;
constexpr int kReenumerationMs = 800;
constexpr uint8_t kProgress = 1;
constexpr uint8_t kResult = 2;
constexpr size_t kKeptLogs = 8;

struct ImageHeader {
    uint32_t version = 0;
    int target = 0;
    int cid = 0;
    int mid = 0;
    std::string name;
    uint32_t length = kHeaderSize;
    bool intact = true;
};

uint32_t ReadU32(const unsigned char* bytes)
{
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
}

void WriteU32(unsigned char* bytes, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = uint8_t(value >> (8 * i));
}

ImageHeader ReadHeader(const unsigned char* image)
{
    ImageHeader header;
    header.version = ReadU32(image + 16);
    header.target = image[20];
    header.cid = image[21];
    header.mid = image[22];
    header.name.assign(reinterpret_cast<const char*>(image + 87), strnlen(reinterpret_cast<const char*>(image + 87), 64));
    if (std::memcmp(image + 8, kIntegrityMagic, 4) == 0) {
        header.length = ReadU32(image);
        header.intact = header.length >= kHeaderSize && header.length <= kLargestImage
            && ReadU32(image + 4) == Crc32(image + kHeaderSize, header.length - kHeaderSize);
    }
    return header;
}

bool Fits(const Mouse& mouse, const ImageHeader& header)
{
    return header.target == kMouseTarget && mouse.cid == header.cid && mouse.mid == header.mid
        && mouse.imageName == header.name;
}

bool Fits(const Receiver& receiver, const ImageHeader& header)
{
    return header.target == kReceiverTarget && receiver.imageCid == header.cid && receiver.imageMid == header.mid
        && receiver.imageName == header.name;
}

bool Fits(const Endpoint& endpoint, const ImageHeader& header)
{
    return endpoint.mouse ? Fits(*endpoint.mouse, header) : Fits(*endpoint.receiver, header);
}

std::vector<Endpoint> Candidates(const ImageHeader& header)
{
    SimModel& model = State().model;
    std::vector<Endpoint> candidates;
    for (const Endpoint& endpoint : model.Bus())
        if (Fits(endpoint, header))
            candidates.push_back(endpoint);
    for (const Endpoint& endpoint : model.BootList())
        if (Fits(endpoint, header))
            candidates.push_back(endpoint);
    return candidates;
}

std::string VersionText(uint32_t version)
{
    char text[32];
    std::snprintf(text, sizeof text, "v%u.%x", unsigned(version >> 8), unsigned(version & 0xFF));
    return text;
}

std::array<std::string, 8>& CurrentLog()
{
    return State().upgradeLogs.back();
}

void BeginLog(const ImageHeader& header, const std::string& path, int receiverClass)
{
    SimState& s = State();
    s.upgradeLogs.emplace_back();
    if (s.upgradeLogs.size() > kKeptLogs)
        s.upgradeLogs.pop_front();
    std::array<std::string, 8>& log = CurrentLog();
    log[0] = "target " + std::to_string(header.target) + " class " + std::to_string(receiverClass) + " cid "
        + std::to_string(header.cid) + " mid " + std::to_string(header.mid);
    log[1] = "device " + (path.empty() ? std::string("none") : path);
    log[2] = "image " + header.name + " " + VersionText(header.version);
    log[3] = "bytes written 0 of " + std::to_string(header.length);
    log[4] = "result running";
    log[5] = "reason -";
    log[6] = "boot mode no";
    log[7] = "time " + QDateTime::currentDateTime().toString(Qt::ISODate).toStdString();
}

void EndLog(bool success, const std::string& reason, bool boot, uint32_t bytesWritten, uint32_t length)
{
    std::array<std::string, 8>& log = CurrentLog();
    log[3] = "bytes written " + std::to_string(bytesWritten) + " of " + std::to_string(length);
    log[4] = success ? "result success" : "result failure";
    log[5] = "reason " + reason;
    log[6] = boot ? "boot mode yes" : "boot mode no";
}

// A start that cannot run still gets its one result, so no caller waits forever.
bool Refuse(UsbUpgradeCallback callback, const ImageHeader& header, const std::string& reason)
{
    BeginLog(header, std::string(), 0);
    EndLog(false, reason, false, 0, header.length);
    Journal("UsbUpgrade_Start -> refused: " + reason);
    Schedule(kEarliestResultMs, [callback] { EnqueueUpgradeReport(callback, kResult, 0); });
    return false;
}

UpgradeOutcome ChooseOutcome(int target)
{
    SimState& s = State();
    for (int key : {target, 0}) {
        auto found = s.upgradeOutcomes.find(key);
        if (found != s.upgradeOutcomes.end()) {
            const UpgradeOutcome outcome = found->second;
            if (!outcome.sticky)
                s.upgradeOutcomes.erase(found);
            return outcome;
        }
    }
    return s.scenarioUpgradeOutcome;
}

struct RunningUpgrade {
    uint64_t number;
    UsbUpgradeCallback callback;
    ImageHeader header;
    UpgradeOutcome outcome;
    int64_t startedAt;
    int timeoutMs;
};

void SetBusy(const std::string& id, bool busy)
{
    SimModel& model = State().model;
    if (Mouse* mouse = model.FindMouse(id))
        mouse->busy = busy;
    else if (Receiver* receiver = model.FindReceiver(id))
        receiver->busy = busy;
}

// Leaves the bus for a moment and comes back with the new firmware.
void Reenumerate(const std::string& id, bool offBus)
{
    SimModel& model = State().model;
    if (Mouse* mouse = model.FindMouse(id))
        mouse->offBus = offBus;
    else if (Receiver* receiver = model.FindReceiver(id))
        receiver->offBus = offBus;
}

void ApplyOutcome(const std::string& id, const std::string& outcome, uint32_t version)
{
    SimModel& model = State().model;
    Mouse* mouse = model.FindMouse(id);
    Receiver* receiver = model.FindReceiver(id);
    uint16_t& firmware = mouse ? mouse->firmware : receiver->firmware;
    bool& boot = mouse ? mouse->boot : receiver->boot;
    if (outcome == "success") {
        firmware = uint16_t(version & 0xFFFF);
        boot = false;
        Reenumerate(id, true);
        ScheduleScaled(kReenumerationMs, [id] { Reenumerate(id, false); });
    } else if (outcome == "fail" || outcome == "interrupt") {
        firmware = 0;
        boot = true;
    }
    if (outcome == "interrupt") {
        if (mouse && mouse->cable) {
            mouse->cable = false;
            mouse->cableOnReplug = true;
        } else if (receiver) {
            receiver->plugged = false;
        }
    }
    MarkStateDirty();
}

// Ends the run on the device and in the log; false when it has ended already.
bool EndRun(const RunningUpgrade& run, const std::string& outcome, const std::string& reason)
{
    SimState& s = State();
    if (!s.upgrade.running || s.upgrade.number != run.number)
        return false;
    const std::string id = s.upgrade.deviceId;
    s.upgrade.running = false;
    SetBusy(id, false);
    ApplyOutcome(id, outcome, run.header.version);
    const bool success = outcome == "success";
    const bool boot = outcome == "fail" || outcome == "interrupt";
    const uint32_t written = success ? run.header.length
                                     : uint32_t(uint64_t(run.header.length) * uint32_t(run.outcome.percent) / 100);
    EndLog(success, reason, boot, outcome == "reject" ? 0 : written, run.header.length);
    Journal("upgrade of " + id + ": " + outcome);
    return true;
}

void Finish(const RunningUpgrade& run, const std::string& outcome, const std::string& reason)
{
    if (!EndRun(run, outcome, reason))
        return;
    const bool success = outcome == "success";
    const int64_t wait = std::max<int64_t>(0, run.startedAt + kEarliestResultMs - Now());
    const UsbUpgradeCallback callback = run.callback;
    Schedule(wait, [callback, success] { EnqueueUpgradeReport(callback, kResult, success ? 1 : 0); });
}

// A hung upgrade: the device stopped answering in the middle of the write and
// is left in boot mode with part of the image. The library gives the write up
// once the caller's timeout has passed without an answer, so that a later
// start is not refused as "another upgrade is running"; what makes it a hang
// is that the caller never hears a result.
void GiveUpSilentRun(const RunningUpgrade& run)
{
    EndRun(run, "fail", "the device stopped answering");
}

std::string Reason(const std::string& outcome)
{
    if (outcome == "success")
        return "-";
    if (outcome == "reject")
        return "the device rejected the image";
    if (outcome == "fail-rollback")
        return "write failed, previous firmware kept";
    if (outcome == "interrupt")
        return "the device left the bus";
    return "write failed";
}

void ScheduleRun(const RunningUpgrade& run)
{
    const std::string& outcome = run.outcome.outcome;
    if (outcome == "reject") {
        Schedule(kEarliestResultMs, [run] { Finish(run, "reject", Reason("reject")); });
        return;
    }
    const int64_t duration = std::max<int64_t>(kEarliestResultMs, Scaled(kUpgradeDurationMs));
    const int64_t span = duration - kFirstProgressMs;
    const bool completes = outcome == "success";
    const int stopPercent = completes ? 100 : run.outcome.percent;
    const int64_t stopAt = kFirstProgressMs + span * stopPercent / 100;
    for (int64_t at = kFirstProgressMs; at < stopAt || (completes && at <= stopAt); at += kProgressStepMs) {
        const uint8_t percent = uint8_t(std::min<int64_t>(100, (at - kFirstProgressMs) * 100 / span));
        const UsbUpgradeCallback callback = run.callback;
        const uint64_t number = run.number;
        Schedule(at, [callback, number, percent] {
            if (State().upgrade.running && State().upgrade.number == number)
                EnqueueUpgradeReport(callback, kProgress, percent);
        });
    }
    if (outcome == "hang") {
        // Without a timeout the library waits for good.
        if (run.timeoutMs > 0)
            Schedule(stopAt + run.timeoutMs, [run] { GiveUpSilentRun(run); });
        return;
    }
    Schedule(std::max<int64_t>(stopAt, kEarliestResultMs), [run, outcome] { Finish(run, outcome, Reason(outcome)); });
}

RunningUpgrade& CurrentRun()
{
    static RunningUpgrade* run = new RunningUpgrade{};
    return *run;
}

}

bool StartUpgrade(const unsigned char* image, UsbUpgradeCallback callback, int timeoutMs)
{
    if (!image)
        return Refuse(callback, ImageHeader(), "no image");
    const ImageHeader header = ReadHeader(image);
    if (!header.intact)
        return Refuse(callback, header, "the image is damaged (length or checksum)");
    SimState& s = State();
    if (s.upgrade.running)
        return Refuse(callback, header, "another upgrade is running");
    const std::vector<Endpoint> candidates = Candidates(header);
    if (candidates.size() != 1)
        return Refuse(callback, header, candidates.empty() ? "no device fits the image"
                                                           : "more than one device fits the image");
    const Endpoint& device = candidates.front();
    const std::string id = device.mouse ? device.mouse->id : device.receiver->id;
    s.upgrade = {true, s.upgrade.number + 1, header.target, id, device.mouse != nullptr};
    RunningUpgrade& run = CurrentRun();
    run = {s.upgrade.number, callback, header, ChooseOutcome(header.target), Now(), timeoutMs};
    if (run.outcome.outcome != "reject")
        SetBusy(id, true);
    BeginLog(header, device.path, device.receiver ? device.receiver->receiverClass : 0);
    Journal("UsbUpgrade_Start(" + id + ", " + header.name + " " + VersionText(header.version) + ") -> "
            + run.outcome.outcome);
    ScheduleRun(run);
    return true;
}

void InterruptUpgradeOf(const std::string& deviceId)
{
    SimState& s = State();
    if (s.upgrade.running && s.upgrade.deviceId == deviceId)
        Finish(CurrentRun(), "interrupt", Reason("interrupt"));
}

int CountBootDevicesFitting(const unsigned char* image)
{
    if (!image)
        return 0;
    const ImageHeader header = ReadHeader(image);
    const std::vector<Endpoint> bootList = State().model.BootList();
    return int(std::count_if(bootList.begin(), bootList.end(),
                             [&](const Endpoint& endpoint) { return Fits(endpoint, header); }));
}

const char* const* LastUpgradeLogs()
{
    static const char* lines[8];
    SimState& s = State();
    if (s.upgradeLogs.empty())
        s.upgradeLogs.emplace_back();
    for (size_t i = 0; i < 8; ++i)
        lines[i] = s.upgradeLogs.back()[i].c_str();
    return lines;
}

bool IsUpgradeOutcome(const std::string& outcome)
{
    static const std::vector<std::string> known = {"success", "fail", "interrupt", "fail-rollback", "reject", "hang"};
    return std::find(known.begin(), known.end(), outcome) != known.end();
}

bool SetUpgradeOutcome(int target, const std::string& outcome, int percent, bool sticky)
{
    if ((target != 0 && target != kMouseTarget && target != kReceiverTarget) || percent < 0 || percent > 100
        || !IsUpgradeOutcome(outcome))
        return false;
    State().upgradeOutcomes[target] = {outcome, percent, sticky};
    return true;
}

int BuildImage(int target, int cid, int mid, const char* name, int versionWord, int payloadLength,
               unsigned char* out, int outSize)
{
    if (payloadLength < 0 || payloadLength > int(kLargestImage - kHeaderSize))
        return 0;
    const int length = kHeaderSize + payloadLength;
    if (!out || outSize < length)
        return length;
    std::memset(out, 0, size_t(length));
    WriteU32(out + 16, uint32_t(versionWord));
    out[20] = uint8_t(target);
    out[21] = uint8_t(cid);
    out[22] = uint8_t(mid);
    if (name)
        std::memcpy(out + 87, name, strnlen(name, 63));
    for (int i = 0; i < payloadLength; ++i)
        out[kHeaderSize + i] = uint8_t(i * 31 + 7);
    WriteU32(out, uint32_t(length));
    WriteU32(out + 4, Crc32(out + kHeaderSize, size_t(payloadLength)));
    std::memcpy(out + 8, kIntegrityMagic, 4);
    return length;
}

}
