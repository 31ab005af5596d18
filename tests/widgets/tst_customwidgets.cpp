#include "widgets/MyButton.h"
#include "widgets/MyConmboBox.h"
#include "widgets/MyLineEdit.h"
#include "widgets/MyProgressBar.h"
#include "widgets/MySlider.h"
#include "widgets/MyToolButton.h"
#include "widgets/mytoolButtonEnter.h"

#include <QDialog>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QVBoxLayout>

namespace {
QList<int> g_RefreshedEntries;

// Shows whether the slider would repeat a step while its button is held.
class ProbedSlider : public MySlider
{
public:
    using QAbstractSlider::repeatAction;
};

bool RecordRefresh(int index)
{
    g_RefreshedEntries.append(index);
    return true;
}

// Left and right edges of the dark text pixels inside rect, or (-1, -1).
QPair<int, int> InkColumns(const QImage& image, const QRect& rect)
{
    int left = -1;
    int right = -1;
    for (int x = rect.left(); x <= rect.right(); ++x) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            if (qGray(image.pixel(x, y)) < 80) {
                if (left < 0)
                    left = x;
                right = x;
                break;
            }
        }
    }
    return {left, right};
}
}

class TestCustomWidgets : public QObject
{
    Q_OBJECT

private slots:
    void sliderJumpsToThePressedPosition_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("x");
        QTest::addColumn<bool>("rightButton");
        QTest::addColumn<int>("expected");
        QTest::newRow("left edge") << 400 << 50 << 32000 << 0 << false << 50;
        QTest::newRow("one pixel, not a step multiple") << 400 << 50 << 32000 << 1 << false << 129;
        QTest::newRow("middle") << 400 << 50 << 32000 << 200 << false << 16025;
        QTest::newRow("x equal to width") << 400 << 50 << 32000 << 400 << false << 32000;
        QTest::newRow("right button jumps too") << 400 << 50 << 32000 << 100 << true << 8037;
        QTest::newRow("no range stays") << 400 << 70 << 70 << 300 << false << 70;
        QTest::newRow("no width stays") << 0 << 50 << 32000 << 0 << false << 1000;
    }

    void sliderJumpsToThePressedPosition()
    {
        QFETCH(int, width);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, x);
        QFETCH(bool, rightButton);
        QFETCH(int, expected);
        ProbedSlider slider;
        slider.setOrientation(Qt::Horizontal);
        slider.setRange(minimum, maximum);
        slider.setSingleStep(50);
        slider.setPageStep(50);
        slider.setTracking(false);
        slider.setValue(1000);
        slider.setMinimumWidth(0);
        slider.resize(width, 20);
        const int before = slider.value();
        QSignalSpy values(&slider, &QSlider::valueChanged);
        const Qt::MouseButton button = rightButton ? Qt::RightButton : Qt::LeftButton;
        QTest::mousePress(&slider, button, Qt::NoModifier, QPoint(x, 10));
        // Held: the handle stands at the press, nothing pages or repeats, and
        // the value waits for the release.
        QCOMPARE(slider.sliderPosition(), expected);
        QCOMPARE(slider.repeatAction(), QAbstractSlider::SliderNoAction);
        QCOMPARE(values.count(), 0);
        QTest::mouseRelease(&slider, button, Qt::NoModifier, QPoint(x, 10));
        QCOMPARE(slider.value(), expected);
        QCOMPARE(values.count(), expected == before ? 0 : 1);
    }

    // Pressing on the groove and dragging on gives one value, where the button
    // was let go.
    void sliderPressAndDragIsOneValue()
    {
        MySlider slider;
        slider.setOrientation(Qt::Horizontal);
        slider.setRange(0, 400);
        slider.setTracking(false);
        slider.resize(400, 20);
        QSignalSpy values(&slider, &QSlider::valueChanged);
        QSignalSpy moves(&slider, &QSlider::sliderMoved);
        QTest::mousePress(&slider, Qt::LeftButton, Qt::NoModifier, QPoint(300, 10));
        QMouseEvent drag(QEvent::MouseMove, QPoint(320, 10), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&slider, &drag);
        QCOMPARE(moves.count(), 2);
        QTest::mouseRelease(&slider, Qt::LeftButton, Qt::NoModifier, QPoint(320, 10));
        QCOMPARE(values.count(), 1);
        QCOMPARE(values.at(0).at(0).toInt(), 320);
    }

    void comboBoxRemembersTheIndexOfThePressOnly()
    {
        MyConmboBox box;
        box.addItems({"a", "b", "c"});
        box.setCurrentIndex(2);
        QCOMPARE(box.PressIndex, 0);
        box.resize(120, 24);
        box.show();
        QTest::mousePress(&box, Qt::LeftButton);
        box.hidePopup();
        QCOMPARE(box.PressIndex, 2);
        box.setFocus();
        QTest::keyClick(&box, Qt::Key_Up);
        QCOMPARE(box.currentIndex(), 1);
        QCOMPARE(box.PressIndex, 2);
    }

    void comboBoxCentresItsLabelUnlessEditable()
    {
        MyConmboBox box;
        box.addItem("Wi");
        box.resize(300, 30);
        QStyleOptionComboBox option;
        option.initFrom(&box);
        const QRect field = box.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                        QStyle::SC_ComboBoxEditField, &box);

        const QPair<int, int> centred = InkColumns(box.grab().toImage(), field);
        QVERIFY(centred.first > 0);
        QVERIFY(qAbs((centred.first + centred.second) / 2 - field.center().x()) <= 4);

        QComboBox plain;
        plain.addItem("Wi");
        plain.resize(box.size());
        const QPair<int, int> leftAligned = InkColumns(plain.grab().toImage(), field);
        QVERIFY(leftAligned.first < centred.first - 50);

        box.setEditable(true);
        plain.setEditable(true);
        QCOMPARE(box.grab().toImage(), plain.grab().toImage());
    }

    void toolButtonClicksOnLeftPressAndDoubleClick()
    {
        MyToolButton button;
        button.setCheckable(true);
        QSignalSpy clicks(&button, &QAbstractButton::clicked);

        QTest::mousePress(&button, Qt::RightButton);
        QTest::mouseDClick(&button, Qt::RightButton);
        QCOMPARE(clicks.count(), 0);
        QVERIFY(!button.isChecked());

        QTest::mousePress(&button, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(clicks.at(0).at(0).toBool(), false);
        QVERIFY(button.isChecked());
        QVERIFY(!button.isDown());
        QTest::mouseRelease(&button, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);

        // What the system delivers for a double click.
        clicks.clear();
        QTest::mouseClick(&button, Qt::LeftButton);
        QTest::mouseDClick(&button, Qt::LeftButton);
        QTest::mouseRelease(&button, Qt::LeftButton);
        QCOMPARE(clicks.count(), 2);
        QCOMPARE(clicks.at(0).at(0).toBool(), false);
        QCOMPARE(clicks.at(1).at(0).toBool(), true);
        QVERIFY(button.isChecked());
    }

    void enteringADeviceButtonRefreshesItsEntry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("entry");
        QTest::newRow("btn2") << "btn2" << 2;
        QTest::newRow("btn12") << "btn12" << 12;
        QTest::newRow("no number") << "btn" << 0;
        QTest::newRow("not a number") << "btnx" << 0;
        // The index is passed on as it stands; the refresh checks it.
        QTest::newRow("beyond any list") << "btn999" << 999;
    }

    void enteringADeviceButtonRefreshesItsEntry()
    {
        QFETCH(QString, name);
        QFETCH(int, entry);
        g_RefreshedEntries.clear();
        SetDeviceEntryRefresh(RecordRefresh);
        mytoolButtonEnter button;
        button.setObjectName(name);
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(&button, &enter);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&button, &leave);
        SetDeviceEntryRefresh(nullptr);
        QCOMPARE(g_RefreshedEntries, QList<int>{entry});
    }

    void lineEditSwallowsKeysInsideItsDialog()
    {
        QDialog dialog;
        auto* edit = new MyLineEdit(&dialog);
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(edit);
        edit->setText("Ctrl+A");
        dialog.show();
        edit->setFocus();
        QSignalSpy finished(&dialog, &QDialog::finished);

        QTest::keyClicks(edit, "xy");
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClick(edit, Qt::Key_Enter);
        QTest::keyClick(edit, Qt::Key_Escape);

        QCOMPARE(edit->text(), QString("Ctrl+A"));
        QCOMPARE(finished.count(), 0);
        QVERIFY(dialog.isVisible());
    }

    void buttonShowsThePointingHandWhileHovered()
    {
        MyButton button;
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(&button, &enter);
        QCOMPARE(button.cursor().shape(), Qt::PointingHandCursor);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&button, &leave);
        QCOMPARE(button.cursor().shape(), Qt::ArrowCursor);
    }

    void progressBarCreepsWithinASegmentAndFillsItOnUpdate()
    {
        MyProgressBar bar;
        QCOMPARE(bar.text(), QString("0.0%"));
        bar.Start(3, 1); // boundaries 0, 33, 66, 100
        QTRY_COMPARE(bar.value(), 32);
        QTest::qWait(20);
        QCOMPARE(bar.value(), 32);

        bar.mUpdate();
        QTRY_COMPARE(bar.value(), 65);
        bar.mUpdate();
        QTRY_COMPARE(bar.value(), 99);
        bar.mUpdate();
        QTRY_COMPARE(bar.value(), 100);
        bar.mUpdate(); // never past the last boundary
        QTest::qWait(20);
        QCOMPARE(bar.value(), 100);
        QCOMPARE(bar.text(), QString("100.0%"));
    }
};

QTEST_MAIN(TestCustomWidgets)
#include "tst_customwidgets.moc"
