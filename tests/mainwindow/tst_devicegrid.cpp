#include "common/ModalDialogAnswerer.h"

#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "device/DeviceState.h"
#include "mainwindow/DeviceGrid.h"
#include "mainwindow/DialogChange.h"
#include "mainwindow/DialogMain.h"
#include "mainwindow/MainWindowTestKit.h"
#include "mainwindow/Ui_DialogChange.h"
#include "widgets/FormStyles.h"
#include "widgets/NoticeDialogs.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {
bool PictureIs(const QWidget* widget, const QString& picture)
{
    return widget->styleSheet().contains(StyleUrl(g_DialogChangePictureDir + picture));
}

// Grid widgets are hidden or shown on their own page; the page may not be current.
bool Shown(const QWidget* widget)
{
    return !widget->isHidden();
}

// The index of the listed entry that is a receiver (kind flag clear), or -1.
int ReceiverEntry()
{
    for (int i = 0; i < g_ListedDevices.size(); ++i) {
        if (!g_ListedDevices.at(i).KindFlag)
            return i;
    }
    return -1;
}

template <typename Notice>
int VisibleCount()
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += qobject_cast<Notice*>(widget) && widget->isVisible() ? 1 : 0;
    return count;
}
}

class TestDeviceGrid : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        PrepareMainWindowFolders();
    }

    void defaultScenarioShowsBothDevices()
    {
        LoadSimulatedScenario("default");
        auto window = NewMainWindow();
        Ui_DialogChange* form = window->DeviceList()->Form();

        QCOMPARE(g_DeviceButtons.size(), 2);
        QCOMPARE(form->stackedWidget->count(), 1);
        QVERIFY(!form->label_2->isVisible());
        QVERIFY(form->label_3->isVisible());
        QVERIFY(!form->LeftButton->isVisible() && !form->RightButton->isVisible());

        const int receiver = ReceiverEntry();
        QVERIFY(receiver >= 0);
        const int wired = 1 - receiver;
        QCOMPARE(g_DeviceButtons.at(0)->pos(), QPoint(135, 0));
        QCOMPARE(g_DeviceButtons.at(1)->pos(), QPoint(445, 0));
        for (int i : {0, 1}) {
            QCOMPARE(g_DeviceButtons.at(i)->objectName(), "btn" + QString::number(i));
            QCOMPARE(g_ConnectionIcons.at(i)->pos(), g_DeviceButtons.at(i)->pos() + QPoint(225, 20));
            QVERIFY(Shown(g_ConnectionIcons.at(i)));
            QVERIFY(!Shown(g_OfflineMarkers.at(i)));
            QCOMPARE(g_OfflineMarkers.at(i)->toolTip(), g_DeviceListText5 + "\n" + g_DeviceListText6);
        }
        // Both online: the online picture of each model (MID 3 on the receiver, MID 4 by cable).
        QVERIFY(PictureIs(g_DeviceButtons.at(receiver), "OnLine0.png"));
        QVERIFY(PictureIs(g_DeviceButtons.at(wired), "OnLine1.png"));
        QVERIFY(PictureIs(g_ConnectionIcons.at(receiver), "OnLineWifi.png"));
        QVERIFY(PictureIs(g_ConnectionIcons.at(wired), "OnLineUsb.png"));

        const auto badgeAt = [](const QPoint& position) -> QLabel* {
            for (QLabel* badge : g_RateBadges) {
                if (badge->pos() == position)
                    return badge;
            }
            return nullptr;
        };
        QLabel* receiverBadge = badgeAt(g_DeviceButtons.at(receiver)->pos() + QPoint(7, 10));
        QVERIFY(receiverBadge);
        QVERIFY(receiverBadge->styleSheet().contains("4KHz.png"));
        const bool wiredHasBadge = g_ListedDevices.at(wired).Kind == 3;
        QCOMPARE(badgeAt(g_DeviceButtons.at(wired)->pos() + QPoint(7, 10)) != nullptr, wiredHasBadge);
    }

    void fourDevicesPageByThree()
    {
        LoadSimulatedScenario("wireless");
        auto window = NewMainWindow();
        Ui_DialogChange* form = window->DeviceList()->Form();

        QCOMPARE(g_DeviceButtons.size(), 4);
        QCOMPARE(form->stackedWidget->count(), 2);
        QCOMPARE(form->stackedWidget->currentIndex(), 0);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(g_DeviceButtons.at(i)->pos(), QPoint(300 * i, 0));
        QCOMPARE(g_DeviceButtons.at(3)->pos(), QPoint(305, 0));
        QCOMPARE(g_DeviceButtons.at(3)->parentWidget(), form->stackedWidget->widget(1));
        QCOMPARE(g_RateBadges.size(), 4);
        QVERIFY(form->RightButton->isVisible());
        QVERIFY(!form->LeftButton->isVisible());

        QTest::mouseClick(form->RightButton, Qt::LeftButton);
        QCOMPARE(form->stackedWidget->currentIndex(), 1);
        QVERIFY(form->LeftButton->isVisible());
        QVERIFY(!form->RightButton->isVisible());

        QTest::mouseClick(form->LeftButton, Qt::LeftButton);
        QCOMPARE(form->stackedWidget->currentIndex(), 0);
        QVERIFY(!form->LeftButton->isVisible());
        QVERIFY(form->RightButton->isVisible());
    }

    void unknownDeviceShowsItsPicture()
    {
        LoadSimulatedScenario("unknown");
        auto window = NewMainWindow();
        int unknown = 0;
        for (int i = 0; i < g_DeviceButtons.size(); ++i) {
            if (g_ListedDevices.at(i).ModelIndex == g_DeviceTotal) {
                ++unknown;
                QVERIFY(PictureIs(g_DeviceButtons.at(i), "Unknow.png"));
            }
        }
        QVERIFY(unknown > 0);
    }

    void cableHidesTheSameMousesReceiver()
    {
        LoadSimulatedScenario("cable-and-receiver");
        auto window = NewMainWindow();
        QCOMPARE(g_ListedDevices.size(), 1);
        QVERIFY(g_ListedDevices.at(0).KindFlag);
        QCOMPARE(g_DeviceButtons.size(), 1);
        QCOMPARE(g_DeviceButtons.at(0)->pos(), QPoint(305, 0));
    }

    // A rebuild asked for while the duplicate notice is open (here: back from
    // the page shell, which registers the device list's callback anew) waits
    // for the notice instead of opening a second one inside it.
    void rebuildDuringDuplicateNoticeWaitsForIt()
    {
        LoadSimulatedScenario("duplicate");
        SimCtl_Plug("mouseA2", 0);
        auto window = NewMainWindow();
        QCOMPARE(g_DeviceButtons.size(), 1);

        bool reRegistered = false;
        QTimer trigger;
        connect(&trigger, &QTimer::timeout, [&] {
            if (reRegistered || VisibleCount<QuestiondialogB>() == 0)
                return;
            reRegistered = true;
            PostMsg::GetInstance()->EmitChangeMainDialog(0);
        });
        int mostNotices = 0;
        int closedNotices = 0;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            mostNotices = std::max(mostNotices, VisibleCount<QuestiondialogB>());
            if (!reRegistered)
                return;
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (qobject_cast<QuestiondialogB*>(widget) && widget->isVisible()) {
                    widget->close();
                    ++closedNotices;
                }
            }
        });
        trigger.start(5);
        closer.start(7);
        SimCtl_Plug("mouseA2", 1);

        QTRY_COMPARE(closedNotices, 2);
        QTest::qWait(50);
        trigger.stop();
        closer.stop();
        QCOMPARE(mostNotices, 1);
        QCOMPARE(closedNotices, 2);
        QVERIFY(g_DuplicateDevices);
        QCOMPARE(window->DeviceList()->Form()->stackedWidget->count(), 0);
    }

    // The first grid is built while the main window is made: the notice
    // waits until the window is on screen and sits over it.
    void duplicatesLeaveNoGrid()
    {
        LoadSimulatedScenario("duplicate");
        ModalDialogAnswerer answerer({"CloseButton"});
        auto window = NewMainWindow();
        Ui_DialogChange* form = window->DeviceList()->Form();
        QVERIFY(answerer.Records().isEmpty());

        QTRY_COMPARE(answerer.Records().size(), 1);
        const ModalDialogRecord& notice = answerer.Records().at(0);
        QCOMPARE(notice.className, QString("QuestiondialogB"));
        const QPoint list = window->DeviceList()->mapToGlobal(QPoint(0, 0));
        QCOMPARE(notice.position, list + QPoint((window->DeviceList()->width() - notice.size.width()) / 2,
                                                (window->DeviceList()->height() - notice.size.height()) / 2));
        QVERIFY(g_DuplicateDevices);
        QCOMPARE(form->stackedWidget->count(), 0);
        QVERIFY(g_DeviceButtons.isEmpty());
        QVERIFY(form->label_2->isVisible());
        QVERIFY(!form->label_3->isVisible());
    }

    // The receiver is unplugged while a click on its own button runs a modal
    // dialog (as the pairing question or a warning does): its button goes,
    // without a crash when the click returns through it.
    void unplugDuringClickOnTheButtonRemovesIt()
    {
        LoadSimulatedScenario("default");
        auto window = NewMainWindow();
        QCOMPARE(g_DeviceButtons.size(), 2);
        const QPointer<QToolButton> receiverButton = g_DeviceButtons.at(ReceiverEntry());
        connect(receiverButton.data(), &QToolButton::clicked, [] {
            MouseOffLine notice;
            notice.exec();
        });

        const auto closeNotice = [] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (qobject_cast<MouseOffLine*>(widget))
                    widget->close();
            }
        };
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            if (g_DeviceButtons.size() == 1 && receiverButton.isNull())
                closeNotice();
        });
        QTimer giveUp; // the notice must not stay open when the rebuild never comes
        giveUp.setSingleShot(true);
        connect(&giveUp, &QTimer::timeout, closeNotice);
        QTimer::singleShot(0, [] { SimCtl_Plug("rx4k", 0); });
        poll.start(5);
        giveUp.start(5000);
        QTest::mouseClick(receiverButton.data(), Qt::LeftButton);
        poll.stop();

        QVERIFY(receiverButton.isNull());
        QCOMPARE(g_DeviceButtons.size(), 1);
        QVERIFY(g_ListedDevices.at(0).KindFlag);
    }

    void noDeviceShowsThePrompt()
    {
        LoadSimulatedScenario("empty");
        auto window = NewMainWindow();
        Ui_DialogChange* form = window->DeviceList()->Form();
        QCOMPARE(form->stackedWidget->count(), 0);
        QVERIFY(form->label_2->isVisible());
        QVERIFY(!form->label_3->isVisible());
        QCOMPARE(form->label_2->text(), g_DeviceListText0);
    }
};

QTEST_MAIN(TestDeviceGrid)
#include "tst_devicegrid.moc"
