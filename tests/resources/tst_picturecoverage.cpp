#include "PictureReferences.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QTest>

namespace {

const QString PictureRoot = QString(QUORVANE_TEST_PROGRAM_DIR) + "/Picture";

QStringList referenceTexts(const QVector<PictureReference> &references)
{
    QStringList texts;
    for (const PictureReference &reference : references)
        texts << reference.folders.join("|") + ":" + reference.name;
    texts.removeDuplicates();
    texts.sort();
    return texts;
}

bool pictureExists(const PictureReference &reference)
{
    if (reference.name.startsWith(":/"))
        return QFile::exists(reference.name);
    QStringList folders = reference.folders;
    if (folders.isEmpty())
        folders = QDir(PictureRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &folder : folders)
        if (QFileInfo(PictureRoot + "/" + folder + "/" + reference.name).isFile())
            return true;
    return false;
}

// The program's own sources: not the tests, not the build tools (the picture
// generator names every picture), not build folders.
QStringList programSources()
{
    const QString root = QUORVANE_TEST_SOURCE_DIR;
    QStringList sources;
    QDirIterator files(root, {"*.cpp", "*.h"}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const QString relative = QDir(root).relativeFilePath(path);
        const QString top = relative.section('/', 0, 0);
        if (relative.contains('/') && (top == "tests" || top == "tools" || top.startsWith("build") || top.startsWith('.')))
            continue;
        if (QFileInfo::exists(root + "/" + top + "/CMakeCache.txt"))
            continue;
        sources << relative;
    }
    return sources;
}

} // namespace

class TestPictureCoverage : public QObject
{
    Q_OBJECT

private slots:
    void findsThePicturesCodeNames_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("folder and name in separate literals")
            << "P = ProgramFolder() + \"/Picture/Macro/\";\n"
               "sheet = \"background-image: url(\" + P + \"Button.png\" + \");\";"
            << QStringList{"Macro:Button.png"};
        QTest::newRow("two folders in one file")
            << "D = dir + \"/Picture/DialogChange/\"; W = dir + \"/Picture/WarningDialog/\"; x = W + \"Confirm.png\";"
            << QStringList{"DialogChange|WarningDialog:Confirm.png"};
        QTest::newRow("folder from the shared helper, pictures named by a style helper")
            << "const QString folder = PictureFolder(QStringLiteral(\"Light\"));\n"
               "StyleComboBox(ui->StopClose, folder, OptionComboBoxColors());"
            << QStringList{"Light:ComboboxBack.png", "Light:ComboboxTextBack.png", "Light:Menu.png", "Light:MenuClicked.png"};
        QTest::newRow("folder kept in a global of another file")
            << "btn->setStyleSheet(\"border-image:url(\" + g_DialogChangePictureDir + \"Unknow.png)\");"
            << QStringList{"DialogChange:Unknow.png"};
        QTest::newRow("argument markers and a whole path")
            << "QString(\"url(%1Close.png) url(%11KHz.png)\").arg(d); f(\"Picture/Sensor/Open.png\");"
            << QStringList{"Sensor:1KHz.png", "Sensor:Close.png", "Sensor:Open.png"};
        QTest::newRow("numbered family")
            << "QString name = \"mouse\" + QString::number(index) + \".png\";"
            << [] {
                   QStringList all;
                   for (int n = 0; n < PictureFamilySize; ++n)
                       all << QString("Buttoninterface:mouse%1.png").arg(n);
                   return all;
               }();
        QTest::newRow("resource path") << "QIcon(\":/sensor/Source/SensorImage/Title.png\");"
                                       << QStringList{"::/sensor/Source/SensorImage/Title.png"};
        QTest::newRow("comments, raw strings, escapes and drive paths")
            << "// \"Old.png\"\n/* \"Older.png\" */ R\"(url(Raw.png))\" \"a\\\"b.png\" 'x' \"D:/12.png\""
            << QStringList{":Raw.png", ":b.png"};
    }

    void findsThePicturesCodeNames()
    {
        QFETCH(QString, code);
        QFETCH(QStringList, expected);
        QCOMPARE(referenceTexts(FindPictureReferences(code)), expected);
    }

    // A form that names a picture nobody draws fails here, not on screen.
    void everyPictureTheCodeNamesIsDrawn()
    {
        QVERIFY2(QDir(PictureRoot).exists(), "the build draws no pictures");
        QStringList missing;
        for (const QString &source : programSources()) {
            QFile file(QString(QUORVANE_TEST_SOURCE_DIR) + "/" + source);
            QVERIFY(file.open(QIODevice::ReadOnly));
            for (const PictureReference &reference : FindPictureReferences(QString::fromUtf8(file.readAll())))
                if (!pictureExists(reference))
                    missing << source + " names " + reference.name + " (in " +
                                   (reference.folders.isEmpty() ? QString("any folder") : reference.folders.join(" or ")) + ")";
        }
        missing.removeDuplicates();
        QVERIFY2(missing.isEmpty(), qPrintable("pictures not drawn:\n" + missing.join("\n")));
    }

    void compiledInPicturesLoad()
    {
        const QImage marker(":/sensor/Source/SensorImage/Title.png");
        QCOMPARE(marker.size(), QSize(16, 10));
        QVERIFY(QFile::exists(":/qt/etc/qt.conf"));
    }
};

QTEST_GUILESS_MAIN(TestPictureCoverage)
#include "tst_picturecoverage.moc"
