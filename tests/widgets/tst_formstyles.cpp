#include "common/ProgramFiles.h"
#include "common/TestFolders.h"

#include "platform/ProgramFolder.h"
#include "widgets/DialogFamily.h"
#include "widgets/FormStyles.h"
#include "widgets/MyConmboBox.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace {
const QString P = "/prog/Picture/Page/";

// WCAG relative luminance of a colour.
double Luminance(QRgb colour)
{
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(colour)) + 0.7152 * channel(qGreen(colour)) + 0.0722 * channel(qBlue(colour));
}

// The contrast between the lightest and the darkest pixels inside rect.
double ContrastInside(const QImage& image, const QRect& rect)
{
    double lightest = 0;
    double darkest = 1;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const double l = Luminance(image.pixel(x, y));
            lightest = std::max(lightest, l);
            darkest = std::min(darkest, l);
        }
    }
    return (lightest + 0.05) / (darkest + 0.05);
}
}

class TestFormStyles : public QObject
{
    Q_OBJECT

    // A dialog of the notice family, styled from the program folder's
    // pictures, as drawn.
    static QImage DialogFamilyPicture()
    {
        QDialog dialog;
        dialog.resize(300, 140);
        auto* frame = new QFrame(&dialog);
        frame->setObjectName("ContainResetA");
        frame->setGeometry(0, 0, 300, 140);
        auto* label = new QLabel(frame);
        auto* close = new QToolButton(frame);
        close->setGeometry(275, 5, 20, 20);
        auto* ok = new QToolButton(frame);
        ok->setGeometry(100, 110, 90, 24);
        ApplyDialogFamilyLook(&dialog, {frame, label, close, {ok}});
        return dialog.grab().toImage();
    }

private slots:
    void initTestCase()
    {
        UseTemporaryFolders();
    }

    void buildersGiveTheFormsTexts_data()
    {
        QTest::addColumn<QString>("built");
        QTest::addColumn<QString>("expected");
        QTest::newRow("label") << LabelStyle("1,2,3") << "QLabel{color: rgb(1,2,3;);}";
        QTest::newRow("spin box") << TextColorStyle("QSpinBox", "1,2,3") << "QSpinBox{color: rgb(1,2,3;);}";
        QTest::newRow("check box") << CheckBoxStyle(P, "1,2,3")
            << "QCheckBox{color: rgb(1,2,3;);}QCheckBox::indicator:checked {image: "
               "url(\"/prog/Picture/Page/CheckBoxCheck.png\");}QCheckBox::indicator:unchecked {image: "
               "url(\"/prog/Picture/Page/CheckBox.png\");}";
        QTest::newRow("confirm") << ConfirmButtonStyle(P, "4,5,6")
            << "QToolButton{border:0px;background-position:center;background-repeat:no-repeat;color: rgb(4,5,6;);"
               "border-image: url(\"/prog/Picture/Page/Confirm.png\");}QToolButton:pressed{border-image: "
               "url(\"/prog/Picture/Page/ConfirmClick.png\"); }";
        QTest::newRow("close") << CloseButtonStyle(P)
            << "QToolButton{border:0px;background-image: url(\"/prog/Picture/Page/Close.png\");background-position:center;"
               "background-repeat:no-repeat;}QToolButton:hover{background-image: url(\"/prog/Picture/Page/CloseHover.png\");}"
               "QToolButton:pressed{background-image: url(\"/prog/Picture/Page/CloseClick.png\");}";
        QTest::newRow("checkable") << CheckablePictureButtonStyle(P, "Home.png", "HomeHover.png", "HomeChecked.png")
            << "QToolButton{border: 0px;background-position:center;background-repeat:no-repeat;background-image: "
               "url(\"/prog/Picture/Page/Home.png\");}QToolButton:hover{background-image:  url(\"/prog/Picture/Page/HomeHover.png\");}"
               "QToolButton:checked{background-image: url(\"/prog/Picture/Page/HomeChecked.png\");}";
        QTest::newRow("coloured, three states") << ColoredButtonStyle("QToolButton", PictureProperty::Background, P, "7,8,9",
                                                                      {"Button.png", "ButtonHover.png", "ButtonClick.png", ""})
            << "QToolButton{border:0px;background-position:center;background-repeat:no-repeat;color: rgb(7,8,9;);"
               "background-image: url(\"/prog/Picture/Page/Button.png\");}QToolButton:hover{background-image: "
               "url(\"/prog/Picture/Page/ButtonHover.png\"); }QToolButton:pressed{background-image: "
               "url(\"/prog/Picture/Page/ButtonClick.png\"); }";
        QTest::newRow("coloured, checked") << ColoredButtonStyle("QToolButton", PictureProperty::Border, P, "7,8,9",
                                                                 {"Pic.png", "", "", "PicHover.png"})
            << "QToolButton{border:0px;background-position:center;background-repeat:no-repeat;color: rgb(7,8,9;);"
               "border-image: url(\"/prog/Picture/Page/Pic.png\");}QToolButton:checked{border-image: "
               "url(\"/prog/Picture/Page/PicHover.png\"); }";
        QTest::newRow("frame") << FrameBackgroundStyle("DeleteConfirmA", P)
            << "#DeleteConfirmA{border:0px;background-position:center;background-repeat:no-repeat;background-image: "
               "url(\"/prog/Picture/Page/BackGround.png\");}";
        QTest::newRow("frame, spaced end") << FrameBackgroundStyle("MouseOffLineA", P, "BackGround.png", RuleEnd::Spaced)
            << "#MouseOffLineA{border:0px;background-position:center;background-repeat:no-repeat;background-image: "
               "url(\"/prog/Picture/Page/BackGround.png\"); }";
        QTest::newRow("combo box") << ComboBoxStyle(P, {"1,1,1", "2,2,2", "3,3,3"})
            << "QComboBox{border: 1px solid gray; color: rgb(1,1,1); border-image: url(\"/prog/Picture/Page/ComboboxBack.png\");}"
               "QComboBox::drop-down:button{border-radius:5px; background:rgb(2,2,2);} QComboBox::down-arrow{image: "
               "url(\"/prog/Picture/Page/Menu.png\"); right: 8px; }QComboBox::down-arrow:on{ image: "
               "url(\"/prog/Picture/Page/MenuClicked.png\");}QComboBox QAbstractItemView::item{height:25px;}QComboBox "
               "QAbstractItemView {outline: 0px solid gray; border: 1px  solid gray;color: rgb(1,1,1); border-image: "
               "url(\"/prog/Picture/Page/ComboboxTextBack.png\");selection-background-color: rgb(3,3,3); }"
               "QComboBox:disabled{color: rgb(150,156,166);}";
        QTest::newRow("combo list") << ComboBoxListViewStyle("3,3,3")
            << "QListView::item:selected{background-color: rgb(3,3,3);}QListView::item:hover{background-color: rgb(3,3,3);}";
    }

    void buildersGiveTheFormsTexts()
    {
        QFETCH(QString, built);
        QFETCH(QString, expected);
        QCOMPARE(built, expected);
    }

    void optionColoursFallBackToWhiteOnShortLists()
    {
        WriteConfigIni("[Option]\nLabelColor=10,20,30\nButtonColor=10,20\nComboxTextColor=\n"
                       "ComboxSelectColor=1,2,3,4\n");
        QCOMPARE(OptionColorText("LabelColor"), QString("10,20,30"));
        QCOMPARE(OptionColorText("ButtonColor"), QString("255,255,255"));
        QCOMPARE(OptionColorText("ComboxTextColor"), QString("255,255,255"));
        QCOMPARE(OptionColorText("SliderColor"), QString("255,255,255"));
        QCOMPARE(OptionColorText("ComboxSelectColor"), QString("1,2,3"));
        QCOMPARE(PictureFolder("Dialog"), ProgramFolder() + "/Picture/Dialog/");
    }

    void comboBoxGetsAListViewOfItsOwn()
    {
        QComboBox box;
        QListView* view = StyleComboBox(&box, P, {"1,1,1", "2,2,2", "3,3,3"});
        QCOMPARE(box.view(), view);
        QCOMPARE(view->styleSheet(), ComboBoxListViewStyle("3,3,3"));
        QCOMPARE(box.styleSheet(), ComboBoxStyle(P, {"1,1,1", "2,2,2", "3,3,3"}));
    }

    // A disabled combo box ("Corded" in the sensor mode, a profile box without
    // profiles) shows its text readable on the shipped combo picture, and the
    // application's palette carries the same colour for other controls.
    void disabledComboTextIsReadable()
    {
        QVERIFY(CopyShippedFiles("Picture/Sensor"));
        ApplyWindowColor();
        QCOMPARE(QApplication::palette().color(QPalette::Disabled, QPalette::WindowText), DisabledTextColor());
        MyConmboBox box;
        box.addItem("Corded");
        box.resize(120, 24);
        StyleComboBox(&box, PictureFolder("Sensor"), {"255,255,255", "50,55,64", "0,93,249"});
        box.setEnabled(false);
        // The text's middle rows, clear of the picture's border.
        const QImage image = box.grab().toImage();
        QVERIFY(ContrastInside(image, QRect(20, 8, 70, 8)) >= 4.5);
    }

    void dialogFamilyLook()
    {
        WriteConfigIni("[Option]\nLabelColor=1,2,3\nButtonColor=4,5,6\n");
        QDialog dialog;
        auto* frame = new QFrame(&dialog);
        frame->setObjectName("ContainResetA");
        auto* label = new QLabel(frame);
        auto* close = new QToolButton(frame);
        auto* ok = new QToolButton(frame);
        auto* cancel = new QToolButton(frame);
        ApplyDialogFamilyLook(&dialog, {frame, label, close, {ok, cancel}});

        const QString folder = ProgramFolder() + "/Picture/WarningDialog/";
        QCOMPARE(int(kDialogFamilyWindowFlags), 27666);
        QCOMPARE(dialog.windowFlags() & kDialogFamilyWindowFlags, kDialogFamilyWindowFlags);
        QVERIFY(dialog.isWindow());
        QCOMPARE(label->styleSheet(), LabelStyle("1,2,3"));
        QCOMPARE(ok->styleSheet(), ConfirmButtonStyle(folder, "4,5,6"));
        QCOMPARE(cancel->styleSheet(), ok->styleSheet());
        QCOMPARE(close->styleSheet(), CloseButtonStyle(folder));
        QCOMPARE(frame->styleSheet(), FrameBackgroundStyle("ContainResetA", folder));
    }

    // A program folder may be anywhere: a path with quotes, spaces,
    // parentheses, a backslash or a line break still gives style sheets that
    // parse and draw the same pictures.
    void picturesShowFromAnyFolderName_data()
    {
        QTest::addColumn<QString>("folderName");
        QTest::newRow("apostrophe") << "Anna's programs";
        QTest::newRow("double quotes") << "the \"new\" one";
        QTest::newRow("parentheses") << "Quorvane (copy)";
        QTest::newRow("backslash and semicolon") << "a\\b;c}";
        QTest::newRow("line break") << "two\nlines";
    }

    void picturesShowFromAnyFolderName()
    {
        QFETCH(QString, folderName);
        const QString usual = ProgramFolder();
        QVERIFY(CopyShippedFiles("Picture/WarningDialog"));
        const QImage expected = DialogFamilyPicture();
        QTemporaryDir parent;
        SetProgramFolder(parent.path() + "/" + folderName);
        QVERIFY(CopyShippedFiles("Picture/WarningDialog"));

        static QStringList warnings;
        warnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& message) { warnings << message; });
        const QImage drawn = DialogFamilyPicture();
        qInstallMessageHandler(previous);
        SetProgramFolder(usual);

        QCOMPARE(warnings.filter("Could not parse"), QStringList());
        QCOMPARE(drawn, expected);
        SetProgramFolder(parent.path() + "/without pictures");
        QVERIFY(DialogFamilyPicture() != expected);
        SetProgramFolder(usual);
    }

    void dialogPosition_data()
    {
        QTest::addColumn<QSize>("opener");
        QTest::addColumn<QSize>("dialog");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("centred") << QSize(800, 600) << QSize(300, 140) << 0 << 0 << QPoint(250, 230);
        QTest::newRow("shifted") << QSize(800, 600) << QSize(300, 140) << -50 << -70 << QPoint(200, 160);
        QTest::newRow("odd halves truncate") << QSize(801, 601) << QSize(300, 140) << 0 << 0 << QPoint(250, 230);
        QTest::newRow("negative halves truncate toward zero") << QSize(200, 100) << QSize(301, 141) << 0 << 0
                                                              << QPoint(-50, -20);
        QTest::newRow("assumed size of 300 x 110") << QSize(800, 600) << QSize(300, 110) << -100 << -50
                                                   << QPoint(150, 195);
    }

    void dialogPosition()
    {
        QFETCH(QSize, opener);
        QFETCH(QSize, dialog);
        QFETCH(int, dx);
        QFETCH(int, dy);
        QFETCH(QPoint, expected);
        QCOMPARE(DialogPosition(QPoint(0, 0), opener, dialog, dx, dy), expected);
    }

    void placeDialogOverAChildWidget()
    {
        QWidget window;
        window.setWindowFlags(Qt::FramelessWindowHint);
        window.setGeometry(100, 50, 1000, 700);
        auto* page = new QWidget(&window);
        page->setGeometry(40, 30, 800, 600);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QDialog dialog;
        dialog.resize(300, 140);
        PlaceDialog(&dialog, page, -75, -65);
        QCOMPARE(dialog.pos(), QPoint(100 + 40 + 250 - 75, 50 + 30 + 230 - 65));
    }
};

QTEST_MAIN(TestFormStyles)
#include "tst_formstyles.moc"
