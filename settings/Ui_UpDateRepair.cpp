#include "settings/Ui_UpDateRepair.h"

#include "pages/buttons/ValueDialogForm.h"
#include "widgets/FormStyles.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QToolButton>

namespace {

constexpr int kTextPointSize = 11;

// The two answer buttons: 120 x 24, no focus, auto-raise.
QToolButton* AnswerButton(QFrame* frame, const char* name, int x)
{
    auto* button = new QToolButton(frame);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(x, 240, 120, 24);
    button->setMinimumSize(0, 0);
    button->setMaximumSize(500, 500);
    button->setFont(FormFont(kTextPointSize));
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    return button;
}

QLabel* CentredText(QFrame* frame, const char* name, int y, int height)
{
    auto* label = new QLabel(frame);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(80, y, 300, height);
    label->setFont(FormFont(kTextPointSize));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

} // namespace

void Ui_UpDateRepair::setupUi(QDialog* UpDateRepair)
{
    if (UpDateRepair->objectName().isEmpty())
        UpDateRepair->setObjectName(QStringLiteral("UpDateRepair"));
    UpDateRepair->resize(460, 289);

    AutoRepair = new QFrame(UpDateRepair);
    AutoRepair->setObjectName(QStringLiteral("AutoRepair"));
    AutoRepair->setGeometry(0, 0, 460, 289);
    AutoRepair->setFrameShape(QFrame::StyledPanel);
    AutoRepair->setFrameShadow(QFrame::Raised);

    CloseButton = new QToolButton(AutoRepair);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    CloseButton->setGeometry(430, 5, 20, 20);
    CloseButton->setMaximumSize(20, 20);
    CloseButton->setFocusPolicy(Qt::NoFocus);
    CloseButton->setIconSize(QSize(30, 30));
    CloseButton->setAutoRaise(true);

    NewHong = AnswerButton(AutoRepair, "NewHong", 250);
    ToolText = CentredText(AutoRepair, "ToolText", 20, 91);
    ToolText_2 = CentredText(AutoRepair, "ToolText_2", 114, 84);
    // Wider than the instruction: a result may carry a second sentence.
    ToolText_2->setGeometry(30, 114, 400, 84);
    NewHong_2 = AnswerButton(AutoRepair, "NewHong_2", 90);

    progressBar_2 = new QProgressBar(AutoRepair);
    progressBar_2->setObjectName(QStringLiteral("progressBar_2"));
    progressBar_2->setGeometry(85, 200, 290, 26);
    progressBar_2->setFont(FormFont(kTextPointSize));
    progressBar_2->setStyleSheet(QStringLiteral(
        "QProgressBar{border: 2px solid grey;border-radius: 5px;background-color: transparent;"
        "color: rgb(255, 255, 255);text-align: center;}"
        "QProgressBar::chunk{background-color: rgb(80, 240, 0);width: 20px;}"));
    progressBar_2->setValue(0);
    progressBar_2->setTextVisible(true);
    progressBar_2->setInvertedAppearance(false);
    progressBar_2->setTextDirection(QProgressBar::TopToBottom);

    retranslateUi(UpDateRepair);
    QMetaObject::connectSlotsByName(UpDateRepair);
}

void Ui_UpDateRepair::retranslateUi(QDialog* UpDateRepair)
{
    const auto text = [](const char* source) {
        return QCoreApplication::translate("UpDateRepair", source);
    };
    UpDateRepair->setWindowTitle(text("Dialog"));
    CloseButton->setText(QString());
    NewHong->setText(text("取消"));
    ToolText->setText(text("请先确保插入接收器和有线鼠标,升级期间请勿关闭程序或者拔插设备。"));
    ToolText_2->setText(text("当前没有发现可以升级的鼠标,请确认鼠标是否处于有线模式"));
    NewHong_2->setText(text("升级"));
    progressBar_2->setFormat(text("%p%"));
}
