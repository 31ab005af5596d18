#include "pages/buttons/FireKey.h"

#include "core/LanguageTables.h"
#include "pages/buttons/ValueDialogForm.h"
#include "widgets/DialogFamily.h"
#include "widgets/FormStyles.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>

void Ui_FireKey::setupUi(QDialog* dialog)
{
    const QSize size(406, 170);
    dialog->setObjectName("FireKey");
    dialog->resize(size);
    dialog->setMinimumSize(size);
    dialog->setMaximumSize(size);

    FireKeyA = AddDialogFrame(dialog, "FireKeyA", size);
    CloseButton = AddCloseButton(FireKeyA, 380);
    label_2 = AddCaption(FireKeyA, "label_2", QRect(250, 30, 150, 16), Qt::AlignLeft | Qt::AlignVCenter, false);
    label = AddCaption(FireKeyA, "label", QRect(60, 30, 101, 16), Qt::AlignLeft | Qt::AlignVCenter, false);
    Count = AddNumberBox(FireKeyA, "Count", QRect(60, 50, 71, 27), 12, 0, 3);
    Count->setValue(3);
    Time = AddNumberBox(FireKeyA, "Time", QRect(255, 50, 81, 27), 12, 10, 255);
    label_3 = AddCaption(FireKeyA, "label_3", QRect(0, 79, 401, 61), Qt::AlignHCenter | Qt::AlignTop);
    NewHong = AddAnswerButton(FireKeyA, "NewHong", QRect(60, 137, 81, 24));
    NewHong_2 = AddAnswerButton(FireKeyA, "NewHong_2", QRect(260, 137, 81, 24));

    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_FireKey::retranslateUi(QDialog* dialog)
{
    dialog->setWindowTitle(QCoreApplication::translate("FireKey", "Dialog"));
    CloseButton->setText(QString());
    label_2->setText(QString::fromUtf8("间隔 (10-255)"));
    label->setText(QString::fromUtf8("次数 (0-3)"));
    label_3->setText(QString::fromUtf8("次数设置为0时, 按下按键一直发, 松开按键结束"));
    NewHong->setText(QString::fromUtf8("确认"));
    NewHong_2->setText(QString::fromUtf8("取消"));
}

FireKey::FireKey(QWidget* parent)
    : ValueDialog(parent, g_LangTextsFireKey)
    , ui(new Ui_FireKey)
{
    ui->setupUi(this);

    ApplyDialogFamilyLook(this, {nullptr, ui->label, ui->CloseButton, {ui->NewHong, ui->NewHong_2}});
    for (QLabel* caption : {ui->label_2, ui->label_3})
        caption->setStyleSheet(ui->label->styleSheet());
    const QString numberStyle = TextColorStyle("QSpinBox", OptionColorText("LinEditColor"));
    ui->Count->setStyleSheet(numberStyle);
    ui->Time->setStyleSheet(numberStyle);
    // This frame stretches its picture over the wider dialog.
    ui->FireKeyA->setStyleSheet("#FireKeyA{border:0px;background-position:center;background-repeat:no-repeat;"
                                "border-image: " + StyleUrl(PicturePath + "BackGround.png") + ";}");

    FollowLanguage({ui->label, ui->label_2, ui->label_3, ui->NewHong, ui->NewHong_2});
}

FireKey::~FireKey()
{
    delete ui;
}

void FireKey::SetTime(int interval)
{
    ui->Time->setValue(interval);
}

void FireKey::SetCount(int count)
{
    ui->Count->setValue(count);
}

void FireKey::on_NewHong_clicked()
{
    TimeValue = ui->Time->value();
    CountValue = ui->Count->value();
    Finish(true);
}
