#include "platform/simdevice/Pairing.h"

#include "platform/simdevice/SimState.h"

#include <algorithm>

namespace simdevice {
namespace {

constexpr int kPairingWindowMs = 20000;
constexpr int kPairingRecheckMs = 500;
constexpr int kPairStatusClass = 6;

bool CanPairOverRadio(const Mouse& mouse)
{
    return mouse.powered && mouse.awake && !mouse.cable && !mouse.boot && !mouse.busy;
}

// With auto_pair the receiver's previous mouse, else the first mouse never
// paired, behaves as if the user held its pairing buttons.
const Mouse* AutoPairingMouse(SimModel& model, const Receiver& receiver)
{
    if (!receiver.autoPair)
        return nullptr;
    if (const Mouse* previous = model.FindMouse(receiver.pairedMouse))
        return previous;
    for (const Mouse& mouse : model.mice)
        if (mouse.pairedReceiver == ReceiverId{} && mouse.cid == receiver.pairCid)
            return &mouse;
    return nullptr;
}

Mouse* Candidate(SimModel& model, const Receiver& receiver)
{
    const Mouse* automatic = AutoPairingMouse(model, receiver);
    for (const auto& [isMouse, index] : model.order) {
        if (!isMouse)
            continue;
        Mouse& mouse = model.mice[index];
        if ((mouse.pairingMode || &mouse == automatic) && CanPairOverRadio(mouse) && mouse.cid == receiver.pairCid)
            return &mouse;
    }
    return nullptr;
}

bool OtherCustomerWaiting(const SimModel& model, const Receiver& receiver)
{
    return std::any_of(model.mice.begin(), model.mice.end(), [&](const Mouse& mouse) {
        return mouse.pairingMode && CanPairOverRadio(mouse) && mouse.cid != receiver.pairCid;
    });
}

void Finish(Receiver& receiver, PairState state)
{
    receiver.pairState = state;
    if (receiver.pushPairResult && BoundReceiver() == &receiver) {
        const uint8_t status = PairStatusByte(receiver);
        EnqueueReport(State().binding.generation, kPairStatusClass, 0, 0, &status, 1);
    }
}

void Pair(Receiver& receiver, Mouse& mouse)
{
    receiver.pairedMouse = mouse.id;
    receiver.rememberedIdentity = mouse.Identity();
    mouse.pairedReceiver = receiver.receiverId;
    mouse.pairingMode = false;
    MarkStateDirty();
    PostHotPlugChange();
    Finish(receiver, PairState::Paired);
}

void CheckPairing(const std::string& receiverId, uint64_t run, int64_t deadline)
{
    SimModel& model = State().model;
    Receiver* receiver = model.FindReceiver(receiverId);
    if (!receiver || receiver->pairRun != run || receiver->pairState != PairState::Pairing)
        return;
    if (receiver->pairOutcome == "fail") {
        Finish(*receiver, PairState::Failed);
        return;
    }
    if (receiver->pairOutcome == "unplug") {
        receiver->plugged = false;
        receiver->pairState = PairState::Idle;
        return;
    }
    if (Mouse* mouse = Candidate(model, *receiver)) {
        Pair(*receiver, *mouse);
    } else if (receiver->pairOutcome == "success") {
        Finish(*receiver, PairState::Paired);
    } else if (OtherCustomerWaiting(model, *receiver) || Now() >= deadline) {
        Finish(*receiver, PairState::Failed);
    } else {
        const int64_t wait = std::min<int64_t>(Scaled(kPairingRecheckMs), deadline - Now());
        Schedule(wait, [receiverId, run, deadline] { CheckPairing(receiverId, run, deadline); });
    }
}

}

void StartPairing(Receiver& receiver, int cid)
{
    receiver.pairState = PairState::Pairing;
    receiver.pairCid = cid;
    const uint64_t run = ++receiver.pairRun;
    if (receiver.pairOutcome == "never")
        return;
    const int64_t deadline = Now() + Scaled(kPairingWindowMs);
    const std::string id = receiver.id;
    ScheduleScaled(receiver.pairDelayMs, [id, run, deadline] { CheckPairing(id, run, deadline); });
}

uint8_t PairStatusByte(const Receiver& receiver)
{
    switch (receiver.pairState) {
    case PairState::Pairing: return 1;
    case PairState::Paired: return 3;
    default: return 2;
    }
}

bool SetPairOutcome(const std::string& receiverId, const std::string& outcome, int delayMs)
{
    Receiver* receiver = State().model.FindReceiver(receiverId);
    const bool known = outcome == "success" || outcome == "fail" || outcome == "never" || outcome == "unplug"
        || outcome == "natural";
    if (!receiver || !known)
        return false;
    receiver->pairOutcome = outcome == "natural" ? std::string() : outcome;
    if (delayMs > 0)
        receiver->pairDelayMs = delayMs;
    return true;
}

}
