#include "common/TestFolders.h"
#include "core/Timing.h"
#include "device/DeviceCache.h"
#include "device/DeviceState.h"
#include "device/OfflineCopy.h"

#include <QDir>
#include <QMutex>
#include <QMutexLocker>
#include <QStringList>
#include <QTest>

#include <memory>

namespace {

const QString kModel = QStringLiteral("Device_CID0A_MID05.bin");

// The offline copy's lines of the debug output, from whichever thread.
QMutex g_LinesMutex;
QStringList g_CopyLines;
QtMessageHandler g_PreviousHandler = nullptr;

void KeepCopyLines(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.startsWith("offline copy")) {
        QMutexLocker lock(&g_LinesMutex);
        g_CopyLines << text;
    }
    g_PreviousHandler(type, context, text);
}

QStringList CopyLines()
{
    QMutexLocker lock(&g_LinesMutex);
    return g_CopyLines;
}

FlashDataMap RecordAtRate(int code)
{
    FlashDataMap record{};
    record.ReportRate = static_cast<std::uint8_t>(code);
    record.DpiLevelCount = 4;
    return record;
}

bool CopyHoldsRate(int code)
{
    return DeviceCacheHolds(kModel, RecordAtRate(code));
}

Timings WithSpacing(int milliseconds)
{
    Timings timings;
    timings.offlineCopySpacingMs = milliseconds;
    return timings;
}

} // namespace

// The offline copy follows the record held while the program runs: no way of
// ending leaves it behind the device.
class TestOfflineCopy : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        UseTemporaryFolders();
        QVERIFY(QDir().mkpath(DeviceCacheFolder()));
        g_PreviousHandler = qInstallMessageHandler(KeepCopyLines);
    }

    void cleanupTestCase() { qInstallMessageHandler(g_PreviousHandler); }

    // The model was read in full; its copy holds that read.
    void init()
    {
        QFile::remove(DeviceCacheFolder() + kModel);
        g_ReadBackOutstanding = false;
        g_FlashData.Set(RecordAtRate(8));
        g_DeviceCacheName.Set(kModel);
        g_DeviceCacheNameRead.Set(kModel);
        QVERIFY(WriteOfflineCopy());
        QVERIFY(CopyHoldsRate(8));
        QMutexLocker lock(&g_LinesMutex);
        g_CopyLines.clear();
    }

    void aChangeReachesTheCopyWithoutAShutdown()
    {
        ScopedTimings spacing(WithSpacing(10));
        OfflineCopyKeeper keeper;
        g_FlashData.Lock()->ReportRate = 1;
        QTRY_VERIFY(CopyHoldsRate(1));
        // Only the record held counts: a device chosen since, whose record
        // has not come yet, leaves its model's copy alone.
        const QString otherModel = "Device_CID0B_MID05.bin";
        g_DeviceCacheName.Set(otherModel);
        g_FlashData.Lock()->ReportRate = 2;
        QVERIFY(WriteOfflineCopy());
        QVERIFY(CopyHoldsRate(1));
        QVERIFY(!QFile::exists(DeviceCacheFolder() + otherModel));
        // Its full read names its model: that copy follows.
        g_DeviceCacheNameRead.Set(otherModel);
        QTRY_VERIFY(DeviceCacheHolds(otherModel, RecordAtRate(2)));
        QVERIFY(CopyHoldsRate(1));
        QVERIFY(QFile::remove(DeviceCacheFolder() + otherModel));
    }

    // Changes within the spacing go into one write, which holds the last.
    void aBurstBecomesOneWriteOfItsLastValue()
    {
        ScopedTimings spacing(WithSpacing(500));
        OfflineCopyKeeper keeper;
        for (int code : {4, 2, 1, 16, 32})
            g_FlashData.Lock()->ReportRate = static_cast<std::uint8_t>(code);
        // The line follows the write.
        QTRY_COMPARE(CopyLines(), QStringList{"offline copy written: " + kModel});
        QVERIFY(CopyHoldsRate(32));

        // A later change is the next write.
        g_FlashData.Lock()->ReportRate = 64;
        QTRY_COMPARE(CopyLines().size(), 2);
        QVERIFY(CopyHoldsRate(64));
    }

    // A spacing defers the write; the keeper's end does not drop it.
    void aChangeStillWaitingIsWrittenWhenTheKeeperStops()
    {
        ScopedTimings spacing(WithSpacing(60000));
        auto keeper = std::make_unique<OfflineCopyKeeper>();
        g_FlashData.Lock()->ReportRate = 2;
        QVERIFY(CopyHoldsRate(8));
        keeper.reset();
        QVERIFY(CopyHoldsRate(2));
    }

    // The device chose another profile itself: until its re-read has come,
    // the record held may be the old profile's, with the device's own rate
    // report applied to it. Neither a write nor the keeper's end writes it;
    // the re-read's record is written.
    void aRecordAwaitingItsReReadIsWrittenNowhere()
    {
        ScopedTimings spacing(WithSpacing(60000));
        auto keeper = std::make_unique<OfflineCopyKeeper>();
        g_ReadBackOutstanding = true;
        g_FlashData.Lock()->ReportRate = 2;
        QVERIFY(WriteOfflineCopy());
        keeper.reset();
        QVERIFY(CopyHoldsRate(8));

        keeper = std::make_unique<OfflineCopyKeeper>();
        {
            std::lock_guard<std::recursive_mutex> lock(DeviceStateMutex());
            g_FlashData.Set(RecordAtRate(4));
            g_ReadBackOutstanding = false;
        }
        keeper.reset();
        QVERIFY(CopyHoldsRate(4));
    }

    // Nobody asked for the write: a failure goes to the log.
    void aFailedWriteIsLogged()
    {
        ScopedTimings spacing(WithSpacing(10));
        OfflineCopyKeeper keeper;
        QFile::remove(DeviceCacheFolder() + kModel);
        QVERIFY(QDir().mkpath(DeviceCacheFolder() + kModel));
        g_FlashData.Lock()->ReportRate = 2;
        QTRY_COMPARE(CopyLines().size(), 1);
        QVERIFY2(CopyLines().first().startsWith("offline copy " + kModel + " not written: "),
                 qPrintable(CopyLines().first()));
        QVERIFY(QDir(DeviceCacheFolder() + kModel).exists());
        QVERIFY(QDir(DeviceCacheFolder() + kModel).removeRecursively());
    }
};

QTEST_GUILESS_MAIN(TestOfflineCopy)
#include "tst_offlinecopy.moc"
