#include "common/SimDeviceFixture.h"
#include "common/TestFolders.h"

#include "core/LanguageLoader.h"
#include "core/PostMsg.h"
#include "core/Timing.h"
#include "device/DeviceCache.h"
#include "device/DeviceState.h"
#include "device/SettingsFile.h"
#include "widgets/UpDataParam.h"
#include "widgets/NoticeDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>

#include <cstring>

namespace {

const QString CacheName = "Device_CID12_MID03.bin";

FlashDataMap RecordOf(const QByteArray& bytes)
{
    FlashDataMap record{};
    std::memcpy(&record, bytes.constData(), sizeof(record));
    return record;
}

FlashDataMap FlashOf(const char* mouseId)
{
    return RecordOf(SimDeviceFixture::Record(mouseId));
}

// Runs the dialog as its openers do and answers the notices it opens.
struct WaitRun
{
    QSignalSpy offline{PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int))};
    QSignalSpy sensorPage{PostMsg::GetInstance(), SIGNAL(SigUpDataSensorUIB(FlashDataMap))};
    QSignalSpy buttonPage{PostMsg::GetInstance(), SIGNAL(SigUpDataButtonUIC(FlashDataMap))};
    QSignalSpy settingsPage{PostMsg::GetInstance(), SIGNAL(SigFormB())};

    QList<int> OfflineNotices() const
    {
        QList<int> indexes;
        for (const QList<QVariant>& arguments : offline)
            indexes << arguments.at(0).toInt();
        return indexes;
    }
};

// Runs dialog as its openers do, after setMode, and closes every other modal
// dialog it opens meanwhile; their class names, in order.
template <typename SetMode>
QStringList NoticesWhileRunning(UpDataParam& dialog, SetMode setMode)
{
    QStringList notices;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != &dialog) {
            notices << modal->metaObject()->className();
            modal->close();
        }
    });
    closer.start(5);
    dialog.StartTimer();
    setMode();
    dialog.exec();
    return notices;
}

} // namespace

class WaitDialogTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_Files;

private slots:
    void initTestCase()
    {
        UseTemporaryFolders();
        QVERIFY(CopyShippedFiles("usersetting/Config.ini"));
        QVERIFY(CopyShippedFiles("Language"));
        QVERIFY(CopyShippedFiles("Picture/WarningDialog"));
        LoadLanguageFiles();
        QDir().mkpath(DeviceCacheFolder());
        DeviceAllInfo device;
        device.ModelIndex = 0;
        device.Identity = 0x0312;
        g_CurrentDevice.Set(device);
        g_DeviceCacheName.Set(CacheName);
        g_DeviceCacheNameRead.Set(CacheName);
    }

    void init()
    {
        SetTimings(Timings::Scaled(0.01));
        g_SensorPageUpdated = false;
        g_ButtonPageUpdated = false;
        g_DeviceReachable = false;
        g_DeviceOnline = false;
        g_DeviceCacheNameRead.Set(CacheName);
        QFile::remove(DeviceCacheFolder() + "/" + CacheName);
    }

    void cleanupTestCase() { SetTimings(Timings()); }

    void importAppliesAFittingFile()
    {
        SimDeviceFixture sim;
        UsbServerC_Start(SimCtl_PathOf("rx4k"), SimCtl_PathOf("rx4k"), [](unsigned char*, int, unsigned char*, int) {});
        g_DevicePathC.Set(SimCtl_PathOf("rx4k"));
        FlashDataMap imported = FlashOf("mouseA");
        imported.DpiLevelCount = 3;
        imported.SleepTime = 30;
        const QString path = m_Files.filePath("fits.bin");
        QVERIFY(ExportSettingsFile(path, imported));
        g_FlashData.Set(FlashDataMap{});

        WaitRun run;
        UpDataParam dialog;
        QVERIFY(NoticesWhileRunning(dialog, [&] { dialog.SetImportFile(path); }).isEmpty());

        QCOMPARE(g_ImportResult, 0);
        QVERIFY(g_FlashData.Snapshot() == imported);
        QTRY_VERIFY(FlashOf("mouseA") == imported);
        QCOMPARE(run.sensorPage.count(), 1);
        QVERIFY(run.sensorPage.at(0).at(0).value<FlashDataMap>() == imported);
        QCOMPARE(run.buttonPage.count(), 1);
        QCOMPARE(run.settingsPage.count(), 1);
        QVERIFY(run.offline.isEmpty());
    }

    // A device that left while the file was chosen receives nothing, and
    // neither the pages nor the record held show the file as applied: the
    // offline notice says why.
    void importForADeviceThatLeft()
    {
        SimDeviceFixture sim;
        UsbServerC_Start(SimCtl_PathOf("rx4k"), SimCtl_PathOf("rx4k"), [](unsigned char*, int, unsigned char*, int) {});
        g_DevicePathC.Set(SimCtl_PathOf("rx4k"));
        const FlashDataMap onDevice = FlashOf("mouseA");
        FlashDataMap imported = onDevice;
        imported.SleepTime = 30;
        const QString path = m_Files.filePath("left.bin");
        QVERIFY(ExportSettingsFile(path, imported));
        g_FlashData.Set(onDevice);
        SimCtl_SetAwake("mouseA", 0);

        WaitRun run;
        UpDataParam dialog;
        QVERIFY(NoticesWhileRunning(dialog, [&] { dialog.SetImportFile(path); }).isEmpty());

        QCOMPARE(g_ImportResult, 0);
        QCOMPARE(run.OfflineNotices(), QList<int>{0});
        QVERIFY(g_FlashData.Snapshot() == onDevice);
        QVERIFY(FlashOf("mouseA") == onDevice);
        QVERIFY(run.sensorPage.isEmpty());
        QVERIFY(run.buttonPage.isEmpty());
    }

    void importRefusesAFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("result");

        FlashDataMap record = FlashOf("mouseA");
        const QString exported = m_Files.filePath("whole.bin");
        QVERIFY(ExportSettingsFile(exported, record));
        QFile file(exported);
        file.open(QIODevice::ReadOnly);
        const QByteArray whole = file.readAll();

        QByteArray otherSensor = whole;
        otherSensor.replace(20, 4, "3950");
        QByteArray hugeLength = whole.left(32) + QByteArray::fromHex("7FFFFFF0") + QByteArray(100, 'x');

        QTest::newRow("truncated") << whole.left(whole.size() - 1) << 1;
        QTest::newRow("huge length prefix") << hugeLength << 1;
        QTest::newRow("empty") << QByteArray() << 1;
        QTest::newRow("other sensor") << otherSensor << 2;
        QTest::newRow("bytes after the last block") << whole + "x" << 1;

        // The values the pages cannot set: the file is refused before
        // anything reaches the record or the device.
        record.DpiLevelCount = 0;
        record.CurrentDpiLevel = 200;
        record.ReportRate = 99;
        record.ButtonDebounce = 250;
        QVERIFY(ExportSettingsFile(exported, record));
        QFile unsettable(exported);
        unsettable.open(QIODevice::ReadOnly);
        QTest::newRow("values no page can set") << unsettable.readAll() << 1;
    }

    void importRefusesAFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, result);
        const QString path = m_Files.filePath("refused.bin");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        FlashDataMap before{};
        before.SleepTime = 7;
        g_FlashData.Set(before);

        WaitRun run;
        UpDataParam dialog;
        const QStringList notices = NoticesWhileRunning(dialog, [&] { dialog.SetImportFile(path); });

        QCOMPARE(g_ImportResult, result);
        QVERIFY(g_FlashData.Snapshot() == before);
        QCOMPARE(notices, QStringList{"InportFail"});
        QVERIFY(run.sensorPage.isEmpty());
        QVERIFY(run.buttonPage.isEmpty());
    }

    void waitOnly_data()
    {
        QTest::addColumn<bool>("pagesUpdated");
        QTest::addColumn<QList<int>>("offlineNotices");
        QTest::newRow("pages updated") << true << QList<int>();
        QTest::newRow("pages silent") << false << QList<int>{0};
    }

    void waitOnly()
    {
        QFETCH(bool, pagesUpdated);
        QFETCH(QList<int>, offlineNotices);
        g_SensorPageUpdated = pagesUpdated;
        g_ButtonPageUpdated = pagesUpdated;
        g_DeviceReachable = true;

        WaitRun run;
        UpDataParam dialog;
        // An event posted when the run starts is handled while the dialog
        // still waits: the window is never frozen.
        bool handledWhileWaiting = false;
        QObject::connect(PostMsg::GetInstance(), &PostMsg::SigSetver, &dialog, [&] {
            QTimer::singleShot(0, &dialog, [&] { handledWhileWaiting = dialog.isVisible(); });
        });
        QVERIFY(NoticesWhileRunning(dialog, [&] { dialog.SetWaitOnly(); }).isEmpty());

        QVERIFY(handledWhileWaiting);
        QCOMPARE(run.OfflineNotices(), offlineNotices);
        // The wait-only mode leaves the page flags to the next read.
        QCOMPARE(bool(g_SensorPageUpdated), pagesUpdated);
        QVERIFY(run.sensorPage.isEmpty());
    }

    void normalWithAnAnsweringDevice_data()
    {
        QTest::addColumn<bool>("pagesUpdated");
        QTest::addColumn<QList<int>>("offlineNotices");
        QTest::newRow("pages updated") << true << QList<int>();
        QTest::newRow("pages silent") << false << QList<int>{1};
    }

    void normalWithAnAnsweringDevice()
    {
        QFETCH(bool, pagesUpdated);
        QFETCH(QList<int>, offlineNotices);
        g_SensorPageUpdated = pagesUpdated;
        g_ButtonPageUpdated = pagesUpdated;
        g_DeviceReachable = true;
        g_DeviceOnline = true;
        FlashDataMap current{};
        current.SleepTime = 9;
        g_FlashData.Set(current);

        WaitRun run;
        UpDataParam dialog;
        QVERIFY(NoticesWhileRunning(dialog, [] {}).isEmpty());

        QCOMPARE(run.OfflineNotices(), offlineNotices);
        QVERIFY(!g_SensorPageUpdated && !g_ButtonPageUpdated);
        // The model's first connection creates its offline cache.
        FlashDataMap cached{};
        QVERIFY(LoadDeviceCache(CacheName, cached));
        QVERIFY(cached == current);
    }

    // Opened offline, nothing read from the model since the start: its file
    // is shown and becomes the record held.
    void normalWithoutTheDeviceShowsTheCache()
    {
        SimDeviceFixture sim;
        FlashDataMap cached = FlashOf("mouseA");
        cached.SleepTime = 30;
        QVERIFY(SaveDeviceCache(CacheName, cached));
        g_DeviceCacheNameRead.Set(QString());

        WaitRun run;
        UpDataParam dialog;
        QVERIFY(NoticesWhileRunning(dialog, [] {}).isEmpty());

        QCOMPARE(run.OfflineNotices(), QList<int>{0});
        QCOMPARE(run.sensorPage.count(), 1);
        QVERIFY(run.sensorPage.at(0).at(0).value<FlashDataMap>() == cached);
        QCOMPARE(run.settingsPage.count(), 1);
        QVERIFY(g_FlashData.Snapshot() == cached);
        QCOMPARE(g_DeviceCacheNameRead.Snapshot(), CacheName);
    }

    void normalWithoutTheDeviceOrACache()
    {
        g_DeviceCacheNameRead.Set(QString());
        WaitRun run;
        UpDataParam dialog;
        QVERIFY(NoticesWhileRunning(dialog, [] {}).isEmpty());

        QCOMPARE(run.OfflineNotices(), QList<int>{0});
        QVERIFY(run.sensorPage.isEmpty());
    }

    void textAndColourOfTheLabel()
    {
        g_UpDataParamImportMode = 1;
        UpDataParam importing;
        g_UpDataParamImportMode = 0;
        UpDataParam waiting;

        auto* importLabel = importing.findChild<QLabel*>("label");
        auto* waitLabel = waiting.findChild<QLabel*>("label");
        QCOMPARE(importLabel->text(), QString("Please wait, the configuration is being imported"));
        QCOMPARE(waitLabel->text(), QString("Please wait, the settings are being updated"));
        waitLabel->ensurePolished();
        QCOMPARE(waitLabel->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    }
};

QTEST_MAIN(WaitDialogTest)
#include "tst_waitdialog.moc"
