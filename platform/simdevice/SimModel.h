#pragma once

#include "platform/simdevice/DeviceDescription.h"
#include "platform/simdevice/FlashCodec.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The simulated devices and what the bus shows of them.
namespace simdevice {

using ReceiverId = std::array<uint8_t, 3>;

enum class PairState { Idle = 0, Pairing = 1, Failed = 2, Paired = 3 };

struct Mouse {
    std::string id;
    int cid = 0;
    int mid = 0;
    QString group;              // model group of the description ("Drive1" ...)
    uint16_t firmware = 0;
    std::string imageName;      // mouse firmware image name
    uint16_t cablePid = 0;
    uint8_t cableKind = 2;
    bool powered = true;
    bool cable = false;
    bool awake = true;
    int battery = 100;
    bool charging = false;
    int profiles = 1;
    std::vector<FlashImage> images;
    std::vector<std::pair<int, uint8_t>> flashOverrides;   // record bytes the scenario sets
    int activeProfile = 0;
    int batteryOptimize = 1;
    int driverStatus = 0;
    ReceiverId pairedReceiver{};   // zero when never paired
    bool pairingMode = false;
    bool boot = false;
    bool busy = false;          // being upgraded
    bool offBus = false;        // re-enumerating after an upgrade
    bool cableOnReplug = false; // cable pulled during an upgrade: plugging in reconnects it
    int identityDelay = 0;
    int identityCallsLeft = 0;
    bool screen = false;
    std::array<uint8_t, 40> clock{};

    uint16_t Identity() const { return uint16_t((mid & 0xFF) << 8 | (cid & 0xFF)); }
    FlashImage& ActiveImage() { return images[size_t(activeProfile)]; }
};

struct Receiver {
    std::string id;
    int receiverClass = 4;
    uint8_t kind = 1;
    uint16_t pid = 0;
    ReceiverId receiverId{};
    uint16_t firmware = 0;
    std::string imageName;      // receiver firmware image name of its class
    int imageCid = 0;
    int imageMid = 0;
    bool plugged = true;
    bool boot = false;
    bool busy = false;
    bool offBus = false;
    std::string pairedMouse;
    uint16_t rememberedIdentity = 0;
    uint16_t rememberedFirmware = 0;
    std::array<uint8_t, 10> led{};
    bool ledSupported = false;
    int longRange = 0;          // 0 off, 1 on, -1 not supported
    bool autoPair = false;
    bool pushPairResult = false;
    bool wirelessWhileWired = false;
    PairState pairState = PairState::Idle;
    int pairCid = 0;
    uint64_t pairRun = 0;       // tells apart the timers of successive pairing requests
    std::string pairOutcome;    // forced outcome of the next pairings, empty = natural
    int pairDelayMs = 2500;
    int driverStatus = 0;
    int identityDelay = 0;
    int identityCallsLeft = 0;

    static uint8_t KindOfClass(int receiverClass);
};

// One device as the program's searches see it.
struct Endpoint {
    std::string path;
    Mouse* mouse = nullptr;         // the cable endpoint of a mouse
    Receiver* receiver = nullptr;
    bool boot = false;
};

class SimModel {
public:
    DeviceDescription description;
    QString scenarioName;
    int vid = 0;
    std::vector<Mouse> mice;
    std::vector<Receiver> receivers;
    // Scenario order over both lists: the bus lists devices in this order.
    std::vector<std::pair<bool, size_t>> order;   // (is mouse, index)

    Mouse* FindMouse(const std::string& id);
    Receiver* FindReceiver(const std::string& id);

    std::vector<Endpoint> Bus();        // endpoints the program's searches see
    std::vector<Endpoint> BootList();   // devices in boot mode, seen only by the upgrade calls
    bool FindEndpoint(const std::string& path, Endpoint* endpoint);

    std::string CablePath(const Mouse& mouse) const;
    std::string ReceiverPath(const Receiver& receiver) const;
    std::string BootPath(const std::string& id) const;

    bool OnBus(const Mouse& mouse) const;
    bool OnBus(const Receiver& receiver) const;
    Mouse* PairedMouse(const Receiver& receiver);
    // The receiver's radio link to its mouse is up.
    bool Link(const Receiver& receiver);
    Receiver* LinkedReceiver(const Mouse& mouse);

    FlashImage FactoryImage(const Mouse& mouse) const;
};

std::string PathText(int vid, int pid, const std::string& id);
// Path texts handed to the program live as long as the process.
const char* InternPath(const std::string& path);
std::string HexId(const ReceiverId& id);

}
