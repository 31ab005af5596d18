#pragma once

#include "device/DeviceRecords.h"
#include "platform/simdevice/SimCtl.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Fresh simulated devices for one test: the scenario, fast device timing, a
// state folder of its own and an empty journal. Unbinds the report and
// hot-plug callbacks on both ends, so that no callback of an earlier test runs.
class SimDeviceFixture {
public:
    explicit SimDeviceFixture(const char* scenario = "default", double timeScale = 0.05)
    {
        UsbServer_Exit();
        StopUsbChanged();
        SimCtl_SetManualClock(0);
        SimCtl_SetPersistence(m_stateFolder.path().toLocal8Bit().constData());
        SimCtl_SetTimeScale(timeScale);
        SimCtl_LoadScenario(scenario);
        SimCtl_JournalClear();
    }

    ~SimDeviceFixture()
    {
        UsbServer_Exit();
        StopUsbChanged();
        SimCtl_SetManualClock(0);
        SimCtl_SetPersistence(nullptr);
    }

    SimDeviceFixture(const SimDeviceFixture&) = delete;
    SimDeviceFixture& operator=(const SimDeviceFixture&) = delete;

    QString StateFolder() const { return m_stateFolder.path(); }

    static QStringList Journal()
    {
        QStringList lines;
        char buffer[512];
        for (int i = 0; i < SimCtl_JournalCount(); ++i)
            if (SimCtl_JournalLine(i, buffer, sizeof buffer) >= 0)
                lines << QString::fromUtf8(buffer);
        return lines;
    }

    // Journal lines that start with prefix (a library call's name and "(").
    static int JournalCount(const QString& prefix)
    {
        int count = 0;
        for (const QString& line : Journal())
            count += line.startsWith(prefix) ? 1 : 0;
        return count;
    }

    static QString Value(const char* id, const char* key)
    {
        char buffer[64] = {};
        return SimCtl_GetValue(id, key, buffer, sizeof buffer) < 0 ? QString() : QString::fromUtf8(buffer);
    }

    static QByteArray Record(const char* mouseId, int profile = 0)
    {
        QByteArray record(HIDUSB_RECORD_SIZE, '\0');
        SimCtl_GetRecord(mouseId, profile, reinterpret_cast<unsigned char*>(record.data()));
        return record;
    }

    // The mouse's stored configuration of a profile as the program's record.
    static FlashDataMap FlashRecord(const char* mouseId, int profile = 0)
    {
        FlashDataMap record{};
        SimCtl_GetRecord(mouseId, profile, reinterpret_cast<unsigned char*>(&record));
        return record;
    }

    static void SetFlashRecord(const char* mouseId, const FlashDataMap& record, int profile = 0)
    {
        SimCtl_SetRecord(mouseId, profile, reinterpret_cast<const unsigned char*>(&record));
    }

private:
    QTemporaryDir m_stateFolder;
};
