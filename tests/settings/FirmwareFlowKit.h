#pragma once

// Shared set-up of the firmware update and repair tests: the shipped device
// description, language files and firmware images in temporary folders,
// device time under the test's control, and the failed-update record.

#include "common/TestFolders.h"

#include "core/LanguageLoader.h"
#include "core/LanguageTables.h"
#include "core/RegistryKeys.h"
#include "core/Timing.h"
#include "device/DeviceRecords.h"
#include "platform/ProgramFolder.h"
#include "platform/RegistryValues.h"
#include "platform/UserDataFolder.h"
#include "platform/simdevice/SimCtl.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTest>

#include <functional>

// The default images: receiver QV_M03_RX4K v1.2 and mouse QV_M03_MS v1.3, of
// customer 18 and model 3 (Drive1), newer than the simulated devices.
inline void PrepareFirmwareFolders()
{
    UseTemporaryFolders();
    QVERIFY(CopyShippedFiles("Language"));
    QVERIFY(CopyShippedFiles("usersetting/Config.ini"));
    QVERIFY(CopyShippedFiles("bin"));
    QVERIFY(CopyShippedFiles("Picture"));
    QDir().mkpath(UserDataFolder() + "/Exception");
    static bool languagesLoaded = false;
    if (!languagesLoaded)
        LoadLanguageFiles();
    languagesLoaded = true;
    g_LanguageIndex = 0;
}

// One image of the program folder's bin/ spoiled while it lives; the shipped
// image comes back afterwards. It is cut short to keptBytes (as by a broken
// download), or, with BodyDamaged, keeps its length and has four bytes of its
// body overwritten, which only the device library's checksum tells.
class SpoiledFirmwareImage
{
public:
    static constexpr int BodyDamaged = -1;

    explicit SpoiledFirmwareImage(const QString& fileName, int keptBytes = 1500) : m_FileName(fileName)
    {
        QFile file(ProgramFolder() + "/bin/" + fileName);
        if (!file.open(QIODevice::ReadWrite))
            return;
        if (keptBytes != BodyDamaged)
            file.resize(keptBytes);
        else if (file.seek(20000))
            file.write(QByteArray(4, char(0xFF)));
    }
    ~SpoiledFirmwareImage() { CopyShippedFiles("bin/" + m_FileName); }
    SpoiledFirmwareImage(const SpoiledFirmwareImage&) = delete;
    SpoiledFirmwareImage& operator=(const SpoiledFirmwareImage&) = delete;

private:
    QString m_FileName;
};

// Update steps that follow one another quickly, and an upgrade given up
// after a short quiet time.
inline Timings ShortUpgradeQuietTime()
{
    Timings timings = Timing();
    timings.firmwareUpdateStepMs = 10;
    timings.firmwareSilenceMs = 100;
    return timings;
}

// Quick update steps with the usual quiet time, for an upgrade that device
// time drives: real time between its reports then says nothing.
inline Timings ShortStepsUsualQuietTime()
{
    Timings timings = ShortUpgradeQuietTime();
    timings.firmwareSilenceMs = Timings().firmwareSilenceMs;
    return timings;
}

inline QString FailedUpdateRecordText()
{
    return RegistryValue(MouseDriveTestKey(), "UpdateFailInfo").toString();
}

inline void SetFailedUpdateRecordText(const QString& record)
{
    if (record.isEmpty())
        RemoveRegistryValue(MouseDriveTestKey(), "UpdateFailInfo");
    else
        SetRegistryValue(MouseDriveTestKey(), "UpdateFailInfo", record);
}

inline QString TextOf(const QList<QStringList>& table, int position)
{
    return LanguageText(table, position, QString());
}

// A listed device made by hand: wired or a receiver (kind 1, the 4K class),
// customer 18 and the model id.
inline DeviceAllInfo HandEntry(bool wired, int mid, int cid = 18)
{
    DeviceAllInfo entry;
    entry.Path = QString("hand-%1-%2").arg(wired ? "mouse" : "receiver").arg(mid);
    entry.Identity = std::uint16_t(cid | mid << 8);
    entry.Kind = wired ? 2 : 1;
    entry.KindFlag = wired;
    entry.ReceiverId = QByteArray("\xA1\xB2\xC3", 3);
    return entry;
}

// Device time stands still while it lives; the test moves it on in small
// slices while the GUI thread handles events, so the upgrade's own delays
// pass at once. Declare it after the device fixture: device time runs again
// before the fixture waits for the devices to settle, and the fixture's
// timings are the ones it keeps.
//
// How much real time a slice takes depends on the machine's load, so real
// time between an upgrade's reports says nothing: the silence guard waits its
// usual quiet time meanwhile. A test of the silence sets its own afterwards.
class ManualDeviceClock
{
public:
    ManualDeviceClock() : m_UsualQuietTime(UsualQuietTime()) { SimCtl_SetManualClock(1); }
    ~ManualDeviceClock() { SimCtl_SetManualClock(0); }
    ManualDeviceClock(const ManualDeviceClock&) = delete;
    ManualDeviceClock& operator=(const ManualDeviceClock&) = delete;

    // Advances device time until done holds; false after maxDeviceMs.
    static bool RunUntil(const std::function<bool()>& done, int maxDeviceMs = 60000)
    {
        constexpr int sliceMs = 50;
        for (int elapsed = 0; elapsed <= maxDeviceMs; elapsed += sliceMs) {
            if (done())
                return true;
            SimCtl_Advance(sliceMs);
            QTest::qWait(2);
        }
        return done();
    }

private:
    static Timings UsualQuietTime()
    {
        Timings timings = Timing();
        timings.firmwareSilenceMs = Timings().firmwareSilenceMs;
        return timings;
    }

    ScopedTimings m_UsualQuietTime;
};
