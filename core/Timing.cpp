#include "core/Timing.h"

#include <QMutex>
#include <QMutexLocker>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {
QMutex g_TimingsMutex;
Timings g_Timings;

constexpr int Timings::*kDelays[] = {
    &Timings::onlineCheckMs, &Timings::rereadSpacingMs, &Timings::hotPlugWatchMs, &Timings::offlineCopySpacingMs,
    &Timings::settingsWaitStartMs, &Timings::pageWaitStepMs,
    &Timings::pageWaitSettleMs, &Timings::eventSliceMs, &Timings::backToListPauseMs,
    &Timings::leavePageWaitMs, &Timings::closeDeviceServerDelayMs, &Timings::closeReadBackWaitMs,
    &Timings::keyComboEntryWindowMs,
    &Timings::keyRepeatPairMs,
    &Timings::macroDownloadDelayMs, &Timings::macroFileRewriteMs, &Timings::macroImportWriteMs,
    &Timings::pairingDeviceCheckMs, &Timings::pairingStepMs, &Timings::pairingTextStepMs,
    &Timings::pairingTimeoutMs, &Timings::firmwareUpdateStepMs, &Timings::firmwareSilenceMs,
    &Timings::screenClockTickMs,
    &Timings::progressFillTickMs,
};
constexpr int kStepCounts = 2; // pageWaitSteps, importSettleSteps

// A new member must be listed above (delay) or counted (step count), or
// Scaled would leave it at its full length.
static_assert(sizeof(Timings) == (std::size(kDelays) + kStepCounts) * sizeof(int),
              "every member of Timings is a delay in kDelays or a step count");
}

Timings Timings::Scaled(double factor)
{
    Timings scaled;
    for (int Timings::*delay : kDelays)
        scaled.*delay = std::max(1, static_cast<int>(std::lround(scaled.*delay * factor)));
    return scaled;
}

Timings Timing()
{
    QMutexLocker lock(&g_TimingsMutex);
    return g_Timings;
}

void SetTimings(const Timings& timings)
{
    QMutexLocker lock(&g_TimingsMutex);
    g_Timings = timings;
}

ScopedTimings::ScopedTimings(const Timings& timings)
    : m_Previous(Timing())
{
    SetTimings(timings);
}

ScopedTimings::~ScopedTimings()
{
    SetTimings(m_Previous);
}
