#pragma once

#include <functional>

// Returns after ms milliseconds, handling the GUI thread's events meanwhile in
// slices of at most Timing().eventSliceMs. Measured on a monotonic clock, so a
// wait is never cut short by the time of day (midnight, clock changes).
void WaitProcessingEvents(int ms);

// The same wait, ended early once done() answers true (asked between the
// slices); answers whether it did.
bool WaitProcessingEventsUntil(const std::function<bool()>& done, int ms);
