#pragma once

// The user's own choices of a receiver's options (long-range mode, receiver
// LED mode), kept in the per-user settings by receiver identity. A receiver
// that wakes or reconnects gets these back; the device description's defaults
// apply only to an option the user never chose.

#include "device/DeviceRecords.h"

enum class ReceiverOption { LongRange, Led };

// Keeps value (long range 0 or 1, LED mode 1 to 3) as the user's choice for
// receiver, for this run whatever happens to the settings file, and in that
// file for later runs. False when the file could not take it (a full or
// read-only folder, a held lock): the caller tells the user that the choice
// will not outlive this run. GUI thread.
bool RememberReceiverChoice(const DeviceAllInfo& receiver, ReceiverOption option, int value);

// The user's choice for receiver, or fallback when there is none (or the
// stored text is not a value the option takes). Any thread.
int ReceiverChoice(const DeviceAllInfo& receiver, ReceiverOption option, int fallback);
