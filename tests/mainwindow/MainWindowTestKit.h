#pragma once

// Shared set-up of the main window tests: temporary program and user folders
// with the shipped device description and language files, fresh language
// tables for each new main window, and the simulated library's journal.

#include "common/SimDeviceFixture.h"
#include "common/TestFolders.h"

#include "core/LanguageSections.h"
#include "core/Timing.h"
#include "device/DeviceState.h"
#include "widgets/UpDataParam.h"
#include "mainwindow/Dialog.h"
#include "mainwindow/DialogChange.h"
#include "mainwindow/DialogMain.h"
#include "platform/simdevice/SimCtl.h"
#include "platform/UserDataFolder.h"

#include <QDir>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>
#include <QToolButton>

#include <cstring>
#include <memory>

inline void PrepareMainWindowFolders()
{
    UseTemporaryFolders();
    QVERIFY(CopyShippedFiles("Language"));
    QVERIFY(CopyShippedFiles("usersetting/Config.ini"));
    QVERIFY(CopyShippedFiles("Picture"));
    QDir().mkpath(UserDataFolder() + "/Device_Info");
    SimCtl_SetPersistence(nullptr);
    SimCtl_SetTimeScale(0.01);
    static ScopedTimings fast(Timings::Scaled(0.01));
}

// The main window loads the language files once per process; each window a
// test builds loads them again, into empty tables.
inline void PrepareLanguageTablesForNewWindow()
{
    for (const LanguageSection& section : LanguageSections())
        section.table->clear();
}

// A shown main window, as main shows it, over the devices of the loaded scenario.
template <typename Window = DialogMain>
std::unique_ptr<Window> NewMainWindow()
{
    PrepareLanguageTablesForNewWindow();
    auto window = std::make_unique<Window>();
    window->show();
    return window;
}

inline void LoadSimulatedScenario(const char* name)
{
    QVERIFY(SimCtl_LoadScenario(name));
}

inline void ResetSimulatedDevices()
{
    LoadSimulatedScenario("default");
}

inline QStringList FullDeviceJournal()
{
    QStringList lines;
    char line[512];
    for (int i = 0; i < SimCtl_JournalCount(); ++i) {
        SimCtl_JournalLine(i, line, sizeof line);
        lines << QString::fromUtf8(line);
    }
    return lines;
}

// The journal's lines of the calls that start and stop the device link and
// tell the device whether the program is there.
inline QStringList DeviceJournal()
{
    QStringList lines;
    for (const QString& line : FullDeviceJournal()) {
        if (line.startsWith("UsbServer_SetPCDriverStatus") || line.startsWith("UsbServer_Exit")
            || line.startsWith("StartUsbChanged") || line.startsWith("StopUsbChanged"))
            lines << line;
    }
    return lines;
}

inline bool DeviceJournalHas(const QString& line)
{
    return DeviceJournal().contains(line);
}

inline void ClearDeviceJournal()
{
    SimCtl_JournalClear();
}

// The device list's button of a simulated device; null when it is not listed.
inline QToolButton* DeviceButtonOf(DialogMain& window, const char* simId)
{
    const QString path = QString::fromUtf8(SimCtl_PathOf(simId));
    for (int i = 0; i < g_ListedDevices.size(); ++i) {
        if (g_ListedDevices.at(i).Path == path)
            return window.DeviceList()->findChild<QToolButton*>("btn" + QString::number(i));
    }
    return nullptr;
}

// The program's current record is the simulated mouse's: the full read arrived.
inline bool FlashDataIsTheMouseRecord(const char* mouseId)
{
    const QByteArray mouse = SimDeviceFixture::Record(mouseId);
    const FlashDataMap current = g_FlashData.Snapshot();
    return std::memcmp(&current, mouse.constData(), sizeof(current)) == 0;
}

// Clicks the simulated device's button and waits until its opening read-back
// is over: the wait dialog came and went. False when that never happened.
inline bool OpenListedDevice(DialogMain& window, const char* simId)
{
    QToolButton* button = DeviceButtonOf(window, simId);
    if (!button)
        return false;
    QSignalSpy readBack(window.PageShell()->WaitDialog(), &QDialog::finished);
    button->click();
    return QTest::qWaitFor([&readBack] { return readBack.count() > 0; }, 20000);
}
