#pragma once

#include "platform/simdevice/SimModel.h"

#include <string>

// Pairing a receiver with a mouse. Needs the library lock.
namespace simdevice {

void StartPairing(Receiver& receiver, int cid);
// Status byte of the pairing report: 1 pairing, 2 failed or idle, 3 paired.
uint8_t PairStatusByte(const Receiver& receiver);
bool SetPairOutcome(const std::string& receiverId, const std::string& outcome, int delayMs);

}
