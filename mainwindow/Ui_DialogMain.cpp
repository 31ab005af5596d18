#include "mainwindow/Ui_DialogMain.h"

#include "core/ProductName.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFrame>
#include <QMetaObject>
#include <QStackedWidget>

namespace {
constexpr int kWidth = 1020;
constexpr int kHeight = 700;

void FixSize(QWidget* widget)
{
    widget->setMinimumSize(kWidth, kHeight);
    widget->setMaximumSize(kWidth, kHeight);
    widget->setMouseTracking(false);
}
}

void Ui_DialogMain::setupUi(QDialog* DialogMain)
{
    if (DialogMain->objectName().isEmpty())
        DialogMain->setObjectName(QStringLiteral("DialogMain"));
    DialogMain->resize(kWidth, kHeight);
    FixSize(DialogMain);

    frame = new QFrame(DialogMain);
    frame->setObjectName(QStringLiteral("frame"));
    frame->setGeometry(0, 0, kWidth, kHeight);
    FixSize(frame);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);

    stackedWidgetMain = new QStackedWidget(frame);
    stackedWidgetMain->setObjectName(QStringLiteral("stackedWidgetMain"));
    stackedWidgetMain->setGeometry(0, 0, kWidth, kHeight);
    FixSize(stackedWidgetMain);
    stackedWidgetMain->setStyleSheet(QString());

    retranslateUi(DialogMain);
    QMetaObject::connectSlotsByName(DialogMain);
}

void Ui_DialogMain::retranslateUi(QDialog* DialogMain)
{
    DialogMain->setWindowTitle(QCoreApplication::translate("DialogMain", g_ProductNameMain.toUtf8().constData()));
}
