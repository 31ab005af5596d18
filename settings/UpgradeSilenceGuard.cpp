#include "settings/UpgradeSilenceGuard.h"

#include "core/Timing.h"

#include <atomic>
#include <chrono>
#include <utility>

namespace {

std::atomic<qint64> g_LastUpgradeReportMs{0};

qint64 MonotonicMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

void NoteUpgradeReport()
{
    g_LastUpgradeReportMs = MonotonicMs();
}

UpgradeSilenceGuard::UpgradeSilenceGuard(std::function<void()> onSilence, QObject* parent)
    : QObject(parent)
    , m_OnSilence(std::move(onSilence))
{
    m_Timer.setSingleShot(true);
    connect(&m_Timer, &QTimer::timeout, this, &UpgradeSilenceGuard::Check);
}

void UpgradeSilenceGuard::Arm()
{
    NoteUpgradeReport();
    m_Timer.start(Timing().firmwareSilenceMs);
}

void UpgradeSilenceGuard::Disarm()
{
    m_Timer.stop();
}

// The timer runs for the whole quiet time from the last report it knew of;
// a report since then (or a timer that fired a little early) leaves the rest
// of the quiet time to wait.
void UpgradeSilenceGuard::Check()
{
    const qint64 limit = Timing().firmwareSilenceMs;
    const qint64 quiet = MonotonicMs() - g_LastUpgradeReportMs;
    if (quiet < limit) {
        m_Timer.start(int(limit - quiet));
        return;
    }
    m_OnSilence();
}
