#pragma once

// Returns after ms milliseconds, handling the GUI thread's events meanwhile in
// slices of at most Timing().eventSliceMs. Measured on a monotonic clock, so a
// wait is never cut short by the time of day (midnight, clock changes).
void WaitProcessingEvents(int ms);
