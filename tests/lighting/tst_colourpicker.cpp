#include "LightingTestKit.h"

#include "lighting/LightControls.h"
#include "lighting/LightModeSet.h"
#include "platform/ProgramFolder.h"

#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QSpinBox>
#include <QTest>

class TestColourPicker : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        SetProgramFolder(QUORVANE_TEST_PROGRAM_DIR);
    }

    void pointerIsScaledToThePhysicalDesktop_data()
    {
        QTest::addColumn<QPoint>("cursor");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<QPoint>("sampled");
        QTest::newRow("unscaled") << QPoint(100, 200) << 1.0 << QPoint(100, 200);
        QTest::newRow("150 %") << QPoint(100, 200) << 1.5 << QPoint(150, 300);
        QTest::newRow("125 % truncates") << QPoint(3, 5) << 1.25 << QPoint(3, 6);
        QTest::newRow("screen left of the primary truncates toward zero") << QPoint(-3, 5) << 1.5 << QPoint(-4, 7);
    }

    void pointerIsScaledToThePhysicalDesktop()
    {
        QFETCH(QPoint, cursor);
        QFETCH(double, ratio);
        QFETCH(QPoint, sampled);
        FakeScreen screen;
        screen.cursor = cursor;
        screen.ratio = ratio;
        QCOMPARE(PickScreenColour(), std::optional<QColor>(QColor(12, 34, 56)));
        QCOMPARE(screen.grabs, QList<QRect>{QRect(sampled, QSize(2, 2))});
    }

    void screenWithoutAnImageGivesNoColour()
    {
        FakeScreen screen;
        screen.colour = QColor();
        QVERIFY(!PickScreenColour());
    }

    // The real screen: the pixel under the pointer of a window filled with one colour.
    void realScreenGivesThePixelUnderThePointer()
    {
        QWidget window;
        window.setAutoFillBackground(true);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, QColor(200, 10, 90));
        window.setPalette(palette);
        window.setGeometry(100, 120, 60, 40);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCursor::setPos(window.geometry().center());

        QCOMPARE(PickScreenColour(), std::optional<QColor>(QColor(200, 10, 90)));
    }

    void pressOnTheBoardPicksOnceAndPressElsewhereOnlyMovesTheFocus()
    {
        FakeScreen screen;
        LightModeSet dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* red = Child<QSpinBox>(&dialog, "RSpinBox");
        auto* preview = Child<QLabel>(&dialog, "labelPreView");
        Child<QComboBox>(&dialog, "LightMod")->setCurrentIndex(2);
        red->setFocus();
        QVERIFY(red->hasFocus());

        PressOn(&dialog, Child<QWidget>(&dialog, "label_8"));
        QVERIFY(!red->hasFocus());
        QVERIFY(screen.grabs.isEmpty());
        QCOMPARE(red->value(), 0);

        // A press on a spin box keeps its focus.
        red->setFocus();
        PressOn(&dialog, red);
        QVERIFY(red->hasFocus());

        QWidget* board = Child<QWidget>(&dialog, "label_7");
        PressOn(&dialog, board);
        PressOn(&dialog, board, QEvent::MouseButtonDblClick);
        QCOMPARE(screen.grabs.size(), 1);
        QCOMPARE(red->value(), 12);
        QCOMPARE(Child<QSpinBox>(&dialog, "BSpinBox")->value(), 56);
        QCOMPARE(preview->styleSheet(),
                 QString("QLabel{background-color: rgb(12,34,56);border: 2px solid  rgb(220,220,220);}"));

        // The same colour again changes no value but shows the preview again.
        preview->setStyleSheet(QString());
        PressOn(&dialog, board);
        QCOMPARE(preview->styleSheet(),
                 QString("QLabel{background-color: rgb(12,34,56);border: 2px solid  rgb(220,220,220);}"));

        // Nothing to read from the screen: the colour stays.
        screen.colour = QColor();
        PressOn(&dialog, board);
        QCOMPARE(red->value(), 12);
    }
};

QTEST_MAIN(TestColourPicker)
#include "tst_colourpicker.moc"
