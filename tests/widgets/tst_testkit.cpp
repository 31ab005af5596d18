#include "common/ModalDialogAnswerer.h"
#include "common/ProgramFiles.h"
#include "common/TestFolders.h"
#include "common/WorkerThread.h"

#include "core/ConfigIni.h"
#include "platform/ProgramFolder.h"

#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QTest>
#include <QThread>
#include <QToolButton>
#include <QtEndian>

namespace {
// A small notice of the test's own, closed by either button.
class SmallNotice : public QDialog
{
    Q_OBJECT

public:
    SmallNotice()
    {
        setObjectName("SmallNotice");
        resize(300, 140);
        auto* label = new QLabel("  Two blanks first", this);
        label->setObjectName("label");
        auto* confirm = new QToolButton(this);
        confirm->setObjectName("NewHong");
        confirm->setText("OK");
        auto* closeButton = new QToolButton(this);
        closeButton->setObjectName("CloseButton");
        connect(confirm, &QToolButton::clicked, this, [this] {
            Confirmed = true;
            close();
        });
        connect(closeButton, &QToolButton::clicked, this, &QWidget::close);
    }

    bool Confirmed = false;
};

class Receiver : public QObject
{
    Q_OBJECT

public slots:
    void Take(int value)
    {
        values.append(value);
        threads.append(QThread::currentThread());
    }

public:
    QList<int> values;
    QList<QThread*> threads;
};

class Emitter : public QObject
{
    Q_OBJECT

signals:
    void Sig(int value);
};

QByteArray ReadProgramFile(const QString& relativePath)
{
    QFile file(ProgramFolder() + "/" + relativePath);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}
}

class TestTestKit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        UseTemporaryFolders();
        QVERIFY(ProgramFolder() != QString(QUORVANE_TEST_PROGRAM_DIR));
    }

    void answersAModalDialogAndRecordsIt_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("confirm") << "NewHong" << true;
        QTest::newRow("close") << "CloseButton" << false;
        QTest::newRow("escape") << ModalDialogAnswerer::kEscape << false;
    }

    void answersAModalDialogAndRecordsIt()
    {
        QFETCH(QString, answer);
        QFETCH(bool, confirmed);
        ModalDialogAnswerer answerer({answer});
        SmallNotice notice;
        notice.move(123, 45);
        QCOMPARE(notice.exec(), 0);
        QCOMPARE(notice.Confirmed, confirmed);
        QVERIFY(answerer.AllAnswered());
        QVERIFY(answerer.MissingButtons().isEmpty());
        const ModalDialogRecord& record = answerer.Records().at(0);
        QCOMPARE(record.className, QString("SmallNotice"));
        QCOMPARE(record.position, QPoint(123, 45));
        QCOMPARE(record.size, QSize(300, 140));
        QCOMPARE(record.texts.value("label"), QString("  Two blanks first"));
        QCOMPARE(record.texts.value("NewHong"), QString("OK"));
    }

    void aMissingButtonIsReportedAndEscapeStillCloses()
    {
        ModalDialogAnswerer answerer({"Cancel"});
        SmallNotice notice;
        notice.exec();
        QVERIFY(!notice.Confirmed);
        QCOMPARE(answerer.MissingButtons(), QStringList{"Cancel"});
    }

    void blockingQueuedSignalsFromAWorkerReachTheGuiThread()
    {
        Emitter emitter;
        Receiver receiver;
        connect(&emitter, &Emitter::Sig, &receiver, &Receiver::Take, Qt::BlockingQueuedConnection);
        QList<int> seenByWorker;
        QVERIFY(RunOnWorkerThread([&] {
            emit emitter.Sig(1);
            seenByWorker = receiver.values; // the slot has run before the emit returns
            emit emitter.Sig(2);
        }));
        QCOMPARE(seenByWorker, QList<int>{1});
        QCOMPARE(receiver.values, (QList<int>{1, 2}));
        QCOMPARE(receiver.threads, (QList<QThread*>{QThread::currentThread(), QThread::currentThread()}));
    }

    void configIniCodesTheCodedKeysItemByItem()
    {
        WriteConfigIni("[Option]\nCID=12\nUSB_PID=123,456\nLabelColor=1,2,3\n[Drive1]\nSensor = 3395\nsensor=3395\n");
        QSettings ini(ProgramFolder() + "/usersetting/Config.ini", QSettings::IniFormat);
        QCOMPARE(ini.value("Option/CID").toString(), QString("MTI="));
        QCOMPARE(ini.value("Option/USB_PID").toStringList(), (QStringList{"MTIz", "NDU2"}));
        QCOMPARE(ini.value("Option/LabelColor").toStringList(), (QStringList{"1", "2", "3"}));
        QCOMPARE(ini.value("Drive1/Sensor").toString(), QString("MzM5NQ=="));
        QCOMPARE(ini.value("Drive1/sensor").toString(), QString("3395"));
        QCOMPARE(ConfigIni::GetInstance()->Value("Drive1", "Sensor"), QString("3395"));

        // A rewrite of the same size reaches the store that has read the file.
        WriteConfigIni("[Option]\nCID=13\nUSB_PID=123,456\nLabelColor=1,2,3\n[Drive1]\nSensor = 3396\nsensor=3395\n");
        QCOMPARE(ConfigIni::GetInstance()->Value("Option", "CID"), QString("13"));
        QCOMPARE(ConfigIni::GetInstance()->Value("Drive1", "Sensor"), QString("3396"));
    }

    void languageFileKeepsTextsAsWritten()
    {
        WriteLanguageFile("0-English.xml", {{"MakeMacro", {{"label", "  <first> & co"}, {"NewHong", ""}}}});
        const QByteArray xml = ReadProgramFile("Language/0-English.xml");
        QVERIFY(xml.contains("<Total>"));
        QVERIFY(xml.contains("<label>  &lt;first&gt; &amp; co</label>"));
        QVERIFY(xml.contains("<NewHong></NewHong>"));
    }

    void firmwareImageHeaderFields()
    {
        WriteFirmwareImage("Mouse.BIN", {211, 0x12, 4, 0x010A, "Receiver-A"}, "body");
        const QByteArray image = ReadProgramFile("bin/Mouse.BIN");
        QCOMPARE(image.size(), kFirmwareHeaderSize + 4);
        QCOMPARE(qFromLittleEndian<quint32>(image.constData()), quint32(image.size()));
        QCOMPARE(qFromLittleEndian<quint32>(image.constData() + 16), quint32(0x010A));
        QCOMPARE(quint8(image[20]), quint8(211));
        QCOMPARE(quint8(image[21]), quint8(0x12));
        QCOMPARE(quint8(image[22]), quint8(4));
        QCOMPARE(image.mid(87, 11), QByteArray("Receiver-A\0", 11));
        QCOMPARE(image.mid(kFirmwareHeaderSize), QByteArray("body"));
    }
};

QTEST_MAIN(TestTestKit)
#include "tst_testkit.moc"
