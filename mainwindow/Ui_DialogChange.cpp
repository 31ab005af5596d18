#include "mainwindow/Ui_DialogChange.h"

#include "widgets/FormStyles.h"
#include "widgets/MyConmboBox.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QWidget>

namespace {
const char* const kFontFamily = "微软雅黑";
const char* const kWhiteText = "color: rgb(255, 255, 255);";

void FixSize(QWidget* widget, int width, int height)
{
    widget->setMinimumSize(width, height);
    widget->setMaximumSize(width, height);
}

// A small picture button of the page: no focus, 30 x 30 icon, auto-raise.
QToolButton* CornerButton(QWidget* parent, const char* name, int x, int y)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(x, y, 20, 20);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(QSize(30, 30));
    button->setAutoRaise(true);
    return button;
}

QToolButton* ArrowButton(QWidget* parent, const char* name, int x)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(x, 360, 46, 46);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QLabel* WhiteText(QWidget* parent, const char* name, int y, int pointSize)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(0, y, 1021, 121);
    label->setFont(FormFont(pointSize));
    label->setStyleSheet(QString::fromLatin1(kWhiteText));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}
}

void Ui_DialogChange::setupUi(QWidget* DialogChange)
{
    if (DialogChange->objectName().isEmpty())
        DialogChange->setObjectName(QStringLiteral("DialogChange"));
    DialogChange->resize(1020, 700);
    FixSize(DialogChange, 1020, 700);

    frameChange = new QFrame(DialogChange);
    frameChange->setObjectName(QStringLiteral("frameChange"));
    frameChange->setGeometry(0, 0, 1020, 700);
    FixSize(frameChange, 1020, 700);
    frameChange->setFrameShape(QFrame::StyledPanel);
    frameChange->setFrameShadow(QFrame::Raised);

    MinButton = CornerButton(frameChange, "MinButton", 940, 10);
    FixSize(MinButton, 20, 20);
    CloseButton = CornerButton(frameChange, "CloseButton", 980, 10);
    FixSize(CloseButton, 20, 20);

    comboBox = new MyConmboBox(frameChange);
    comboBox->setObjectName(QStringLiteral("comboBox"));
    comboBox->setGeometry(790, 10, 142, 26);
    comboBox->setMinimumSize(142, 26);
    comboBox->setMaximumSize(142, 25);
    comboBox->setFont(FormFont(10));
    comboBox->setFocusPolicy(Qt::NoFocus);

    label_2 = WhiteText(frameChange, "label_2", 320, 20);

    LeftButton = ArrowButton(frameChange, "LeftButton", 10);
    RightButton = ArrowButton(frameChange, "RightButton", 965);

    Repair = new QPushButton(frameChange);
    Repair->setObjectName(QStringLiteral("Repair"));
    Repair->setGeometry(740, 8, 36, 33);
    Repair->setFocusPolicy(Qt::NoFocus);

    stackedWidget = new QStackedWidget(frameChange);
    stackedWidget->setObjectName(QStringLiteral("stackedWidget"));
    stackedWidget->setGeometry(65, 200, 894, 360);

    FindVer = new QFrame(frameChange);
    FindVer->setObjectName(QStringLiteral("FindVer"));
    FindVer->setGeometry(350, 300, 300, 140);
    FixSize(FindVer, 300, 140);
    FindVer->setFrameShape(QFrame::StyledPanel);
    FindVer->setFrameShadow(QFrame::Raised);

    CloseButton_2 = CornerButton(FindVer, "CloseButton_2", 275, 5);
    CloseButton_2->setMaximumSize(20, 20);

    NewHong = new QToolButton(FindVer);
    NewHong->setObjectName(QStringLiteral("NewHong"));
    NewHong->setGeometry(100, 90, 90, 24);
    NewHong->setMaximumSize(500, 500);
    NewHong->setFont(FormFont(11));
    NewHong->setFocusPolicy(Qt::NoFocus);
    NewHong->setAutoRaise(true);

    FindVerlaebl = new QLabel(FindVer);
    FindVerlaebl->setObjectName(QStringLiteral("FindVerlaebl"));
    FindVerlaebl->setGeometry(0, 20, 301, 51);
    FindVerlaebl->setFont(FormFont(11));
    FindVerlaebl->setAlignment(Qt::AlignCenter);
    FindVerlaebl->setWordWrap(true);

    NoApear = new QCheckBox(FindVer);
    NoApear->setObjectName(QStringLiteral("NoApear"));
    NoApear->setGeometry(5, 120, 291, 18);
    NoApear->setFont(FormFont(0));
    NoApear->setFocusPolicy(Qt::NoFocus);

    label_3 = WhiteText(frameChange, "label_3", 530, 16);

    retranslateUi(DialogChange);
    QMetaObject::connectSlotsByName(DialogChange);
}

void Ui_DialogChange::retranslateUi(QWidget* DialogChange)
{
    const auto text = [](const char* source) {
        return QCoreApplication::translate("DialogChange", source);
    };
    DialogChange->setWindowTitle(text("Dialog"));
    MinButton->setText(QString());
    CloseButton->setText(QString());
    comboBox->clear();
    comboBox->addItems({text("English"), text("Polish")});
    label_2->setText(text("请接入你的游戏装备"));
    LeftButton->setText(QString());
    RightButton->setText(QString());
    Repair->setText(QString());
    CloseButton_2->setText(QString());
    NewHong->setText(text("确定"));
    FindVerlaebl->setText(text("发现新固件,请更新!"));
    NoApear->setText(text("下次不再显示"));
    label_3->setText(text("点击图案进入使用"));
}
