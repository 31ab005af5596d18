#include "core/PostMsg.h"
#include "device/DeviceState.h"

#include <QMetaMethod>
#include <QTest>
#include <QThread>

#include <atomic>

namespace {

const QStringList expectedSignals = {
    "SigChangeMainDialog(int index)",
    "SigChangeSize(int index)",
    "SigUpDataConfigUI(int ToTalItem, int SelectIndex, bool ItemEnable)",
    "SigUpDataLightUIButton(FlashDataMap DataMap)",
    "SigUpDataLightLight(FlashDataMap DataMap)",
    "SigUpDataLightSensor(FlashDataMap DataMap)",
    "SigUpDataLightUIA(FlashDataMap DataMap)",
    "SigUpDataSensorUIB(FlashDataMap DataMap)",
    "SigUpDataButtonUIC(FlashDataMap DataMap)",
    "SigButtonToMacro(FlashDataMap DataMap, int KeyNumer)",
    "SigSelectMouseInfo(DeviceAllInfo SelectInfo)",
    "SigMouseOffLineo(int index)",
    "SigDeviceBeingRead()",
    "SigMainPageChange()",
    "SigSecondPageChange()",
    "SigUpPageLight()",
    "SigAddMacroButton()",
    "SigDeleteMacroButton(QString MacroName)",
    "SigMacroDownLoadData(QString MacroName, int index)",
    "SigMacroSaving(QString MacroName)",
    "SigUpDataMacro(QString MacroName, int index)",
    "SigUpDataParam(int index)",
    "SigUpDataReportRate(int index)",
    "SigUpDataDPI(int index)",
    "SigUpDataDPILed(FlashDataMap DataMap)",
    "SigTimerStop()",
    "SigButtonEnable(int index)",
    "SigLabelText(int index, QString Text)",
    "SigLabelTextB(QString TextA, QString Text)",
    "SigCloseUpdate()",
    "SigProgress(int index, int value)",
    "SigBattery(bool IsCharg, int Number, bool IsText)",
    "SigAutoRepair(int index)",
    "SigAutoRepairProgress(int index)",
    "SigChangeLanguage(int index)",
    "SigLanguageSameA(int index)",
    "SigLanguageSameB(int index)",
    "SigCloseOffOnline()",
    "SigSetMacroPage()",
    "SigStartRecord(int index)",
    "SigUpDateButton(bool IsHide)",
    "SigMacroRename(QString Rename, QString Name)",
    "SigSetver(int index)",
    "SigCloseProgress()",
    "SigRGBValue(DongleRGB* Rgb)",
    "SigLongRangeMode(bool Select)",
    "SigForm()",
    "SigFormB()",
    "SigEnterKey()",
    "SigFormReset()",
    "SigHideModel(int index)",
    "SigContinue(int)",
    "SigMouseIndex(int index)",
    "SigUpdateStart()",
    "SigCheckUpdate()",
    "SigRepairCheckUpdate()",
    "SigSetNewVer()",
    "SigLightToFrom(int index)",
    "SigButtonCheck()",
    "SigAllLanguage(int Index)",
};

QString Declaration(const QMetaMethod& method)
{
    QStringList parameters;
    for (int i = 0; i < method.parameterCount(); ++i) {
        const QByteArray name = method.parameterNames().at(i);
        parameters << QString(method.parameterTypes().at(i)) + (name.isEmpty() ? "" : " " + name);
    }
    return method.name() + "(" + parameters.join(", ") + ")";
}

// Every byte different from its neighbours, the reserved ones included.
FlashDataMap PatternRecord()
{
    FlashDataMap record{};
    auto* bytes = reinterpret_cast<unsigned char*>(&record);
    for (size_t i = 0; i < sizeof(record); ++i)
        bytes[i] = static_cast<unsigned char>(i * 7 + 3);
    record.Reserved3 = 0xA3;
    record.Reserved4 = 0xA4;
    record.Reserved122[0] = 0xB1;
    record.Reserved122[1] = 0xB2;
    return record;
}

}  // namespace

class Receiver : public QObject
{
    Q_OBJECT

public:
    std::atomic<int> calls{0};
    FlashDataMap record{};
    DeviceAllInfo device;
    DongleRGB* rgb = nullptr;

public slots:
    void SlotRecord(FlashDataMap DataMap) { record = DataMap; ++calls; }
    void SlotDevice(DeviceAllInfo SelectInfo) { device = SelectInfo; ++calls; }
    void SlotRgb(DongleRGB* Rgb) { rgb = Rgb; ++calls; }
};

class TestPostMsg : public QObject
{
    Q_OBJECT

private slots:
    void hubIsOneObjectWithTheSignalsInOrder()
    {
        QVERIFY(PostMsg::GetInstance() != nullptr);
        QCOMPARE(PostMsg::GetInstance(), PostMsg::GetInstance());

        const QMetaObject& meta = PostMsg::staticMetaObject;
        QStringList actual;
        for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
            QCOMPARE(meta.method(i).methodType(), QMetaMethod::Signal);
            actual << Declaration(meta.method(i));
        }
        QCOMPARE(actual.size(), 60);
        QCOMPARE(actual, expectedSignals);
    }

    // The device thread and the report callback emit from their own threads
    // and go on only after the page's slot has run.
    void recordCrossesThreadsWholeOverABlockingConnection()
    {
        Receiver receiver;
        QVERIFY(connect(PostMsg::GetInstance(), SIGNAL(SigUpDataLightSensor(FlashDataMap)),
                        &receiver, SLOT(SlotRecord(FlashDataMap)), Qt::BlockingQueuedConnection));
        const FlashDataMap sent = PatternRecord();
        int callsSeenByEmitter = -1;
        QScopedPointer<QThread> emitter(QThread::create([&] {
            PostMsg::GetInstance()->EmitUpDataLightSensor(sent);
            callsSeenByEmitter = receiver.calls;
        }));
        emitter->start();
        QTRY_VERIFY(emitter->isFinished());
        QCOMPARE(callsSeenByEmitter, 1);
        QVERIFY(receiver.record == sent);
        QCOMPARE(int(receiver.record.Reserved3), 0xA3);
        QCOMPARE(int(receiver.record.Reserved4), 0xA4);
        QCOMPARE(int(receiver.record.Reserved122[0]), 0xB1);
        QCOMPARE(int(receiver.record.Reserved122[1]), 0xB2);
    }

    // Registered types reach a receiver over an ordinary queued connection
    // too, instead of being dropped.
    void queuedConnectionsDeliverEveryRecordType()
    {
        Receiver receiver;
        PostMsg* hub = PostMsg::GetInstance();
        QVERIFY(connect(hub, SIGNAL(SigUpDataButtonUIC(FlashDataMap)), &receiver, SLOT(SlotRecord(FlashDataMap)), Qt::QueuedConnection));
        QVERIFY(connect(hub, SIGNAL(SigSelectMouseInfo(DeviceAllInfo)), &receiver, SLOT(SlotDevice(DeviceAllInfo)), Qt::QueuedConnection));
        QVERIFY(connect(hub, SIGNAL(SigRGBValue(DongleRGB*)), &receiver, SLOT(SlotRgb(DongleRGB*)), Qt::QueuedConnection));

        DeviceAllInfo device;
        device.Path = "/dev/hidraw7";
        device.Identity = 0x050A;
        device.ReceiverId = QByteArray("\x01\x02\x03", 3);
        const FlashDataMap sent = PatternRecord();
        DongleRGB led{};
        hub->EmitUpDataButtonUIC(sent);
        hub->EmitSelectMouseInfo(device);
        hub->EmitRGBValue(&led);
        QCOMPARE(int(receiver.calls), 0);

        QTRY_COMPARE(int(receiver.calls), 3);
        QVERIFY(receiver.record == sent);
        QCOMPARE(receiver.device.Path, device.Path);
        QCOMPARE(int(receiver.device.Identity), 0x050A);
        QCOMPARE(receiver.device.ReceiverId, device.ReceiverId);
        QCOMPARE(receiver.rgb, &led);
    }
};

QTEST_GUILESS_MAIN(TestPostMsg)
#include "tst_postmsg.moc"
