#include "ReportRecorder.h"
#include "common/SimDeviceFixture.h"

#include <QtTest>

#include <atomic>
#include <chrono>
#include <thread>

// Stands for a page on the GUI thread that the device side reaches through
// blocking queued connections, as the program's hub does.
class GuiReceiver : public QObject {
    Q_OBJECT
public:
    QList<int> values;
public slots:
    void OnValue(int value) { values << value; }
};

class DeviceSideEmitter : public QObject {
    Q_OBJECT
signals:
    void Value(int value);
};

namespace {

DeviceSideEmitter* g_emitter = nullptr;
std::atomic<bool> g_emitting{false};
std::atomic<int> g_callbackDepth{0};
std::atomic<bool> g_reentered{false};

void EmittingCallback(unsigned char* header, int, unsigned char* payload, int)
{
    if (header[1] != 77)
        return;
    g_emitting = true;
    emit g_emitter->Value(payload[0]);
}

// Answers the full read as the program does: asks for more from inside.
void FullReadCallback(unsigned char* header, int headerLength, unsigned char* payload, int length)
{
    if (++g_callbackDepth > 1)
        g_reentered = true;
    ReportRecorder::Callback(header, headerLength, payload, length);
    if (header[1] == 8 && length == HIDUSB_FLASH_IMAGE_SIZE) {
        UsbServer_ReadDPILed();
        UsbServer_ReadBatteryLevel();
        UsbServer_ReadVersion();
        UsbServer_ReadConfig();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    --g_callbackDepth;
}

int g_hotPlugCalls = 0;
int g_hotPlugDepth = 0;
bool g_hotPlugReentered = false;
bool g_hotPlugOffGuiThread = false;
bool g_runModalLoop = false;

void CountingHotPlug()
{
    ++g_hotPlugCalls;
    g_hotPlugReentered |= ++g_hotPlugDepth > 1;
    g_hotPlugOffGuiThread |= QThread::currentThread() != QCoreApplication::instance()->thread();
    if (g_runModalLoop && g_hotPlugCalls == 2) {
        // A dialog opened from the callback: the bus changes while it runs.
        SimCtl_Plug("rx4k", 0);
        QEventLoop modal;
        QTimer::singleShot(300, &modal, &QEventLoop::quit);
        modal.exec();
    }
    --g_hotPlugDepth;
}

int g_innerCalls = 0;
int g_outerCalls = 0;

void InnerHotPlug()
{
    ++g_innerCalls;
}

void OuterHotPlug()
{
    ++g_outerCalls;
    StartUsbChanged(InnerHotPlug, 600);
}

bool WaitWithoutEvents(const std::atomic<bool>& flag)
{
    for (int i = 0; i < 500 && !flag; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return flag;
}

}

class SimThreadsTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        ReportRecorder::Clear();
        g_hotPlugCalls = g_hotPlugDepth = g_innerCalls = g_outerCalls = 0;
        g_hotPlugReentered = g_hotPlugOffGuiThread = g_runModalLoop = false;
    }

    void requestsFromInsideACallbackAreAnsweredAfterItInOrder()
    {
        SimDeviceFixture sim;
        g_reentered = false;
        UsbServerC_Start(SimCtl_PathOf("rx4k"), SimCtl_PathOf("rx4k"), FullReadCallback);
        UsbServer_ReadAllFlashData();

        QTRY_COMPARE(ReportRecorder::Count(), 5);
        QCOMPARE(ReportRecorder::Classes(), QList<int>({8, 8, 4, 18, 14}));
        QCOMPARE(ReportRecorder::Reports().at(1).sub, 0x4C);
        QVERIFY(!g_reentered);
        for (const RecordedReport& report : ReportRecorder::Reports())
            QVERIFY(report.thread != QThread::currentThread());
    }

    void blockingQueuedBurstWhileTheGuiThreadCallsTheLibrary()
    {
        SimDeviceFixture sim;
        GuiReceiver receiver;
        DeviceSideEmitter emitter;
        g_emitter = &emitter;
        connect(&emitter, &DeviceSideEmitter::Value, &receiver, &GuiReceiver::OnValue, Qt::BlockingQueuedConnection);
        UsbServerC_Start(SimCtl_PathOf("mouseB"), SimCtl_PathOf("mouseB"), EmittingCallback);
        const QByteArray record = SimDeviceFixture::Record("mouseB");
        for (unsigned char i = 0; i < 100; ++i)
            SimCtl_Inject(77, 0, 0, &i, 1);

        QElapsedTimer elapsed;
        elapsed.start();
        while (receiver.values.size() < 100 && elapsed.elapsed() < 10000) {
            int count = 5;
            ProtocolDataUpdate(reinterpret_cast<const FlashDataMap*>(record.constData()));
            UsbFinderC_FindHidDevicesByDeviceId("2F1E", "5002", 1, 5, &count);
            UsbFinderC_GetDeviceOnLine(SimCtl_PathOf("mouseB"));
            QCoreApplication::processEvents();
        }

        QList<int> expected;
        for (int i = 0; i < 100; ++i)
            expected << i;
        QCOMPARE(receiver.values, expected);
    }

    void exitReturnsWhileACallbackWaitsForTheGuiThread()
    {
        SimDeviceFixture sim;
        GuiReceiver receiver;
        DeviceSideEmitter emitter;
        g_emitter = &emitter;
        g_emitting = false;
        connect(&emitter, &DeviceSideEmitter::Value, &receiver, &GuiReceiver::OnValue, Qt::BlockingQueuedConnection);
        UsbServerC_Start(SimCtl_PathOf("mouseB"), SimCtl_PathOf("mouseB"), EmittingCallback);
        const unsigned char first = 1;
        SimCtl_Inject(77, 0, 0, &first, 1);
        QVERIFY(WaitWithoutEvents(g_emitting));

        UsbServer_Exit();
        const unsigned char second = 2;
        SimCtl_Inject(77, 0, 0, &second, 1);

        QTRY_COMPARE(SimCtl_Pending(), 0);
        QCOMPARE(receiver.values, QList<int>({1}));
    }

    void hotPlugIsCalledInsideRegistrationThenOncePerBurst()
    {
        SimDeviceFixture sim;
        StartUsbChanged(CountingHotPlug, 600);
        QCOMPARE(g_hotPlugCalls, 1);

        SimCtl_Plug("rx4k", 0);
        SimCtl_Plug("rx4k", 1);
        SimCtl_SetCable("mouseA", 1);
        QTRY_COMPARE(SimCtl_Pending(), 0);

        QCOMPARE(g_hotPlugCalls, 2);
        QVERIFY(!g_hotPlugOffGuiThread);
    }

    void hotPlugWaitsForAModalLoopInsideTheCallback()
    {
        SimDeviceFixture sim;
        g_runModalLoop = true;
        StartUsbChanged(CountingHotPlug, 600);
        SimCtl_SetCable("mouseA", 1);

        QTRY_COMPARE(g_hotPlugCalls, 3);
        QTRY_COMPARE(SimCtl_Pending(), 0);
        QCOMPARE(g_hotPlugCalls, 3);
        QVERIFY(!g_hotPlugReentered);
    }

    void registeringFromInsideACallbackReplacesIt()
    {
        SimDeviceFixture sim;
        StartUsbChanged(OuterHotPlug, 600);
        QCOMPARE(g_outerCalls, 1);
        QCOMPARE(g_innerCalls, 1);

        SimCtl_Plug("rx4k", 0);
        QTRY_COMPARE(g_innerCalls, 2);
        QTRY_COMPARE(SimCtl_Pending(), 0);
        QCOMPARE(g_outerCalls, 1);
    }

    void stoppedHotPlugIsNotCalled()
    {
        SimDeviceFixture sim;
        StartUsbChanged(CountingHotPlug, 600);
        SimCtl_Plug("rx4k", 0);
        StopUsbChanged();
        QTest::qWait(200);
        QCOMPARE(g_hotPlugCalls, 1);
    }
};

QTEST_GUILESS_MAIN(SimThreadsTest)
#include "tst_simthreads.moc"
