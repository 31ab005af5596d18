#include "device/FirmwareImages.h"

#include "common/ProgramFiles.h"
#include "common/TestFolders.h"
#include "device/DeviceState.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QtEndian>

namespace {

constexpr int Cid = 18;
constexpr int Mid = 3;
const char* const MouseName = "QV_M03_MS";
const char* const ReceiverName = "QV_M03_RX4K";

// One file of the bin folder; its body is its own name, a marker that tells
// which file a search kept.
struct ImageFile {
    QString fileName;
    FirmwareImageFields fields;
    int size = -1;  // a cut file: only this many bytes
    qint64 lengthWord = -1;  // a length word other than the file's size
    bool unreadable = false;
};

ImageFile Image(const QString& fileName, quint32 version)
{
    ImageFile image;
    image.fileName = fileName;
    image.fields.target = FirmwareTargetMouse;
    image.fields.cid = Cid;
    image.fields.mid = Mid;
    image.fields.name = MouseName;
    image.fields.version = version;
    return image;
}

template <typename Change>
ImageFile Image(const QString& fileName, quint32 version, Change change)
{
    ImageFile image = Image(fileName, version);
    change(image);
    return image;
}

}  // namespace

Q_DECLARE_METATYPE(QList<ImageFile>)

class TestFirmwareImages : public QObject
{
    Q_OBJECT

private:
    static QString BinFolder() { return ProgramFolder() + "/bin"; }

    static void WriteBinFolder(const QList<ImageFile>& images)
    {
        QDir(BinFolder()).removeRecursively();
        QDir().mkpath(BinFolder());
        for (const ImageFile& image : images) {
            QByteArray bytes = FirmwareImageBytes(image.fields, image.fileName.toLatin1());
            if (image.lengthWord >= 0)
                qToLittleEndian<quint32>(quint32(image.lengthWord), bytes.data());
            WriteProgramFile("bin/" + image.fileName, image.size < 0 ? bytes : bytes.left(image.size));
            if (image.unreadable)
                QFile::setPermissions(BinFolder() + "/" + image.fileName, QFileDevice::Permissions());
        }
    }

    static QString KeptMarker(const QList<QByteArray>& kept)
    {
        if (kept.isEmpty())
            return QString();
        return QString::fromLatin1(kept.first().mid(FirmwareImageHeaderSize));
    }

private slots:
    void initTestCase()
    {
        UseTemporaryFolders();
        WriteConfigIni(QString("[Option]\nDeviceTotal=1\nCID=18\n[Drive1]\nMID=3\nMM=%1\nD4M=%2\nDM=%2\n")
                           .arg(MouseName, ReceiverName));
    }

    void searches_data()
    {
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QList<ImageFile>>("images");
        QTest::addColumn<QString>("kept");  // empty: the search answers false

        const QList<ImageFile> twoVersions{Image("a.bin", 0x0101), Image("B.bin", 0x0103)};
        QTest::newRow("no version: the last match by name") << "find" << "" << twoVersions << "B.bin";
        QTest::newRow("repair, no version: the last match") << "repair" << "" << twoVersions << "B.bin";
        QTest::newRow("check, no version: false") << "check" << "" << twoVersions << "";
        QTest::newRow("equal passed over, newer taken")
            << "find" << "v1.2" << QList<ImageFile>{Image("a.bin", 0x0102), Image("b.bin", 0x0103)} << "b.bin";
        QTest::newRow("check sees the newer one")
            << "check" << "v1.2" << QList<ImageFile>{Image("a.bin", 0x0102), Image("b.bin", 0x0103)} << "b.bin";
        QTest::newRow("older taken") << "find" << "v1.2" << QList<ImageFile>{Image("a.bin", 0x0101)} << "a.bin";
        QTest::newRow("only an equal one") << "find" << "v1.2" << QList<ImageFile>{Image("a.bin", 0x0102)} << "";
        QTest::newRow("hexadecimal minors differ")
            << "find" << "v1.a" << QList<ImageFile>{Image("a.bin", 0x010B)} << "a.bin";
        QTest::newRow("1.1 is not 1.10, scan goes on")
            << "find" << "v1.10" << QList<ImageFile>{Image("a.bin", 0x0101), Image("b.bin", 0x0103)} << "b.bin";
        QTest::newRow("leading zero is the same version")
            << "find" << "v1.05" << QList<ImageFile>{Image("a.bin", 0x0105)} << "";
        QTest::newRow("repair passes over an equal version")
            << "repair" << "v1.3" << QList<ImageFile>{Image("a.bin", 0x0102), Image("b.bin", 0x0103)} << "a.bin";
        QTest::newRow("wrong CID, MID, target or name passed over")
            << "find" << "v1.2"
            << QList<ImageFile>{Image("a.bin", 0x0103),
                                Image("b.bin", 0x0104, [](ImageFile& i) { i.fields.cid = 19; }),
                                Image("c.bin", 0x0104, [](ImageFile& i) { i.fields.mid = 4; }),
                                Image("d.bin", 0x0104, [](ImageFile& i) { i.fields.target = FirmwareTargetReceiver; }),
                                Image("e.bin", 0x0104, [](ImageFile& i) { i.fields.name = "QV_M03_MS2"; })}
            << "a.bin";
        QTest::newRow("capitals are a candidate")
            << "find" << "v1.2" << QList<ImageFile>{Image("FW.BIN", 0x0103)} << "FW.BIN";
        QTest::newRow("other extensions are not")
            << "find" << "v1.2" << QList<ImageFile>{Image("fw.bin.old", 0x0103)} << "";
        // A cut file and one that cannot be read are skipped and the scan goes
        // on. (Run as root, the unreadable file is read: it matches nothing.)
        QTest::newRow("short and unreadable files skipped")
            << "find" << "v1.2"
            << QList<ImageFile>{Image("a.bin", 0x0103),
                                Image("b.bin", 0x0104, [](ImageFile& i) { i.size = 100; }),
                                Image("c.bin", 0x0104, [](ImageFile& i) { i.unreadable = true; i.fields.name = "other"; }),
                                Image("d.bin", 0x0104, [](ImageFile& i) { i.size = FirmwareImageHeaderSize - 1; })}
            << "a.bin";
        // The device library reads as many bytes as the length word says.
        QTest::newRow("length word not the file size passed over")
            << "find" << "v1.2"
            << QList<ImageFile>{Image("a.bin", 0x0103),
                                Image("b.bin", 0x0104, [](ImageFile& i) { i.size = FirmwareImageHeaderSize + 2; }),
                                Image("c.bin", 0x0104, [](ImageFile& i) { i.lengthWord = 16 * 1024 * 1024; }),
                                Image("d.bin", 0x0104, [](ImageFile& i) { i.lengthWord = 0; })}
            << "a.bin";
        QTest::newRow("repair passes over a damaged image")
            << "repair" << ""
            << QList<ImageFile>{Image("a.bin", 0x0103),
                                Image("b.bin", 0x0104, [](ImageFile& i) { i.size = FirmwareImageHeaderSize + 1; })}
            << "a.bin";
    }

    void searches()
    {
        QFETCH(QString, search);
        QFETCH(QString, current);
        QFETCH(QList<ImageFile>, images);
        QFETCH(QString, kept);
        WriteBinFolder(images);
        g_PendingFirmwareImages = {"stale"};
        g_RepairFirmwareImages = {"stale"};

        if (search == "check") {
            QCOMPARE(CheckFirmwareImage(FirmwareTargetMouse, current, MouseName, Cid, Mid), !kept.isEmpty());
            QCOMPARE(g_PendingFirmwareImages, QList<QByteArray>{"stale"});
            return;
        }
        QList<QByteArray>& list = search == "find" ? g_PendingFirmwareImages : g_RepairFirmwareImages;
        const bool found = search == "find" ? FindFirmwareImage(FirmwareTargetMouse, current, MouseName, Cid, Mid)
                                            : FindRepairFirmwareImage(FirmwareTargetMouse, current, MouseName, Cid, Mid);
        QCOMPARE(found, !kept.isEmpty());
        QCOMPARE(KeptMarker(list), kept);
        QVERIFY(list.size() <= 1);
    }

    // Only a matching image counts as damaged; a damaged image of another
    // model, or a file cut before its name ends, is none of this device's. A file cut inside the
    // header whose fields name the device is damaged.
    void damagedImageOfTheDeviceIsNoticed_data()
    {
        QTest::addColumn<QList<ImageFile>>("images");
        QTest::addColumn<bool>("damaged");
        const auto cut = [](ImageFile& i) { i.size = FirmwareImageHeaderSize + 3; };
        QTest::newRow("intact") << QList<ImageFile>{Image("a.bin", 0x0103)} << false;
        QTest::newRow("cut short") << QList<ImageFile>{Image("a.bin", 0x0103), Image("b.bin", 0x0104, cut)} << true;
        QTest::newRow("claims more") << QList<ImageFile>{Image("a.bin", 0x0103, [](ImageFile& i) {
            i.lengthWord = 100000;
        })} << true;
        QTest::newRow("another model's") << QList<ImageFile>{Image("a.bin", 0x0103, [cut](ImageFile& i) {
            cut(i);
            i.fields.mid = Mid + 1;
        })} << false;
        QTest::newRow("cut inside the header")
            << QList<ImageFile>{Image("a.bin", 0x0103, [](ImageFile& i) { i.size = 100; })} << true;
        QTest::newRow("cut inside the name")
            << QList<ImageFile>{Image("a.bin", 0x0103, [](ImageFile& i) { i.size = 90; })} << false;
    }

    void damagedImageOfTheDeviceIsNoticed()
    {
        QFETCH(QList<ImageFile>, images);
        QFETCH(bool, damaged);
        WriteBinFolder(images);
        QCOMPARE(DamagedFirmwareImageFound(FirmwareTargetMouse, MouseName, Cid, Mid), damaged);
    }

    void missingFolderFindsNothing()
    {
        QDir(BinFolder()).removeRecursively();
        g_PendingFirmwareImages = {"stale"};
        QVERIFY(!FindFirmwareImage(FirmwareTargetMouse, QString(), MouseName, Cid, Mid));
        QVERIFY(g_PendingFirmwareImages.isEmpty());
    }

    // The model comes from the current device; the name from its group by
    // target and receiver class.
    void updateWaitingForTheCurrentModel_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("current");
        QTest::addColumn<int>("receiverClass");
        QTest::addColumn<bool>("waiting");
        QTest::newRow("mouse, newer image") << int(FirmwareTargetMouse) << "v1.2" << 0 << true;
        QTest::newRow("mouse, same version") << int(FirmwareTargetMouse) << "v1.3" << 0 << false;
        QTest::newRow("mouse, no version") << int(FirmwareTargetMouse) << "" << 0 << false;
        QTest::newRow("receiver, class 4") << int(FirmwareTargetReceiver) << "v1.1" << 4 << true;
        QTest::newRow("receiver, class 1") << int(FirmwareTargetReceiver) << "v1.1" << 1 << true;
        QTest::newRow("receiver, class 2 without a name") << int(FirmwareTargetReceiver) << "v1.1" << 2 << false;
        QTest::newRow("receiver, class 3") << int(FirmwareTargetReceiver) << "v1.1" << 3 << false;
    }

    void updateWaitingForTheCurrentModel()
    {
        QFETCH(int, target);
        QFETCH(QString, current);
        QFETCH(int, receiverClass);
        QFETCH(bool, waiting);
        WriteBinFolder({Image("mouse.bin", 0x0103),
                        Image("receiver.bin", 0x0102, [](ImageFile& i) {
                            i.fields.target = FirmwareTargetReceiver;
                            i.fields.name = ReceiverName;
                        })});
        DeviceAllInfo device;
        device.ModelIndex = 0;
        g_CurrentDevice.Set(device);
        g_UpdateCid = 0;
        QCOMPARE(HasFirmwareUpdate(target, current, receiverClass), waiting);
        if (target == FirmwareTargetMouse || receiverClass != 3)
            QCOMPARE(g_UpdateCid.load(), Cid);
    }
};

QTEST_GUILESS_MAIN(TestFirmwareImages)
#include "tst_firmwareimages.moc"
