#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

// The device library promises one result report for every upgrade it starts,
// but a device that stops answering in the middle of a write can leave it
// silent for good, and the update dialog would wait at its last percentage
// with no way to close it. The guard watches the upgrade that runs: every
// report of it (NoteUpgradeReport) starts the quiet time again; once
// Timing().firmwareSilenceMs have passed without one, onSilence runs, once,
// on the guard's thread. GUI thread only, but NoteUpgradeReport.
class UpgradeSilenceGuard : public QObject
{
public:
    explicit UpgradeSilenceGuard(std::function<void()> onSilence, QObject* parent = nullptr);

    // An upgrade was just started: the quiet time starts now.
    void Arm();
    // The upgrade ended (or will be ended elsewhere): nothing more to watch.
    void Disarm();
    bool Armed() const { return m_Timer.isActive(); }

private:
    void Check();

    std::function<void()> m_OnSilence;
    QTimer m_Timer;
};

// A report of the running upgrade arrived. Safe from any thread: the
// library's upgrade callbacks call it.
void NoteUpgradeReport();
