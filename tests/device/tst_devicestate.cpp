#include "device/DeviceState.h"

#include <QTest>

#include <atomic>
#include <chrono>
#include <thread>

class TestDeviceState : public QObject
{
    Q_OBJECT

private slots:
    void startValues()
    {
        QVERIFY(g_UpgradeIdle);
        QVERIFY(!g_WorkerRunFlag && !g_DevicePageShown && !g_SendEnabled);
        QVERIFY(g_FlashData.Snapshot() == FlashDataMap{});
        QVERIFY(g_CurrentDevice.Snapshot().Path.isEmpty());
        QCOMPARE(int(g_DongleRGB.Snapshot().Mode), 0);
    }

    // A reader on another thread waits for a writer's accessor to end and
    // then sees every change made under it.
    void snapshotWaitsForAnAccessor()
    {
        std::atomic<bool> copied{false};
        FlashDataMap seen{};
        bool copiedWhileLocked = false;
        std::thread reader;
        {
            auto flash = g_FlashData.Lock();
            flash->ReportRate = 8;
            reader = std::thread([&] {
                seen = g_FlashData.Snapshot();
                copied = true;
            });
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            copiedWhileLocked = copied;
            flash->Reserved122[1] = 0x5A;
        }
        reader.join();
        QVERIFY(!copiedWhileLocked);
        QCOMPARE(int(seen.ReportRate), 8);
        QCOMPARE(int(seen.Reserved122[1]), 0x5A);
        g_FlashData.Set(FlashDataMap{});
    }

    // One thread may hold the current device, its path and the record at once.
    void accessorsNestOnOneThread()
    {
        DeviceAllInfo entry;
        entry.Path = "/dev/hidraw3";
        g_CurrentDevice.Set(entry);
        {
            auto device = g_CurrentDevice.Lock();
            auto path = g_DevicePathC.Lock();
            *path = device->Path.toLocal8Bit();
            QCOMPARE(g_DevicePathC.Snapshot(), QByteArray("/dev/hidraw3"));
        }
        g_CurrentDevice.Set(DeviceAllInfo());
        g_DevicePathC.Set(QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestDeviceState)
#include "tst_devicestate.moc"
