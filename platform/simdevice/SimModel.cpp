#include "platform/simdevice/SimModel.h"

#include "platform/simdevice/FactoryRecord.h"

#include <cstdio>
#include <mutex>
#include <set>

namespace simdevice {
namespace {
constexpr int kBootPid = 0x5F00;
}

uint8_t Receiver::KindOfClass(int receiverClass)
{
    switch (receiverClass) {
    case 2: return 4;
    case 4: return 1;
    case 8: return 5;
    default: return 0;
    }
}

Mouse* SimModel::FindMouse(const std::string& id)
{
    for (Mouse& mouse : mice)
        if (mouse.id == id)
            return &mouse;
    return nullptr;
}

Receiver* SimModel::FindReceiver(const std::string& id)
{
    for (Receiver& receiver : receivers)
        if (receiver.id == id)
            return &receiver;
    return nullptr;
}

bool SimModel::OnBus(const Mouse& mouse) const
{
    return mouse.powered && mouse.cable && !mouse.boot && !mouse.offBus;
}

bool SimModel::OnBus(const Receiver& receiver) const
{
    return receiver.plugged && !receiver.boot && !receiver.offBus;
}

std::vector<Endpoint> SimModel::Bus()
{
    std::vector<Endpoint> bus;
    for (const auto& [isMouse, index] : order) {
        if (isMouse && OnBus(mice[index]))
            bus.push_back({CablePath(mice[index]), &mice[index], nullptr, false});
        else if (!isMouse && OnBus(receivers[index]))
            bus.push_back({ReceiverPath(receivers[index]), nullptr, &receivers[index], false});
    }
    return bus;
}

std::vector<Endpoint> SimModel::BootList()
{
    std::vector<Endpoint> list;
    for (const auto& [isMouse, index] : order) {
        if (isMouse) {
            Mouse& mouse = mice[index];
            if (mouse.boot && mouse.powered && mouse.cable)
                list.push_back({BootPath(mouse.id), &mouse, nullptr, true});
        } else {
            Receiver& receiver = receivers[index];
            if (receiver.boot && receiver.plugged)
                list.push_back({BootPath(receiver.id), nullptr, &receiver, true});
        }
    }
    return list;
}

bool SimModel::FindEndpoint(const std::string& path, Endpoint* endpoint)
{
    for (const Endpoint& candidate : Bus()) {
        if (candidate.path == path) {
            *endpoint = candidate;
            return true;
        }
    }
    return false;
}

std::string SimModel::CablePath(const Mouse& mouse) const
{
    return PathText(vid, mouse.cablePid, mouse.id);
}

std::string SimModel::ReceiverPath(const Receiver& receiver) const
{
    return PathText(vid, receiver.pid, receiver.id);
}

std::string SimModel::BootPath(const std::string& id) const
{
    return PathText(vid, kBootPid, id);
}

Mouse* SimModel::PairedMouse(const Receiver& receiver)
{
    Mouse* mouse = FindMouse(receiver.pairedMouse);
    return mouse && mouse->pairedReceiver == receiver.receiverId ? mouse : nullptr;
}

bool SimModel::Link(const Receiver& receiver)
{
    if (!OnBus(receiver) || receiver.busy || receiver.pairState == PairState::Pairing)
        return false;
    const Mouse* mouse = PairedMouse(receiver);
    return mouse && mouse->powered && mouse->awake && !mouse->boot && !mouse->busy
        && !mouse->offBus && (!mouse->cable || receiver.wirelessWhileWired);
}

Receiver* SimModel::LinkedReceiver(const Mouse& mouse)
{
    for (Receiver& receiver : receivers)
        if (receiver.pairedMouse == mouse.id && Link(receiver))
            return &receiver;
    return nullptr;
}

FlashImage SimModel::FactoryImage(const Mouse& mouse) const
{
    Record record = FactoryRecord(description, mouse.group);
    for (const auto& [offset, value] : mouse.flashOverrides)
        record[size_t(offset)] = value;
    return EncodeFlashImage(record.data(), nullptr);
}

std::string PathText(int vid, int pid, const std::string& id)
{
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "simhid://%04x/%04x/", unsigned(vid), unsigned(pid));
    return prefix + id;
}

const char* InternPath(const std::string& path)
{
    static std::mutex* mutex = new std::mutex;
    static std::set<std::string>* paths = new std::set<std::string>;
    std::lock_guard<std::mutex> lock(*mutex);
    return paths->insert(path).first->c_str();
}

std::string HexId(const ReceiverId& id)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02x%02x%02x", id[0], id[1], id[2]);
    return text;
}

}
