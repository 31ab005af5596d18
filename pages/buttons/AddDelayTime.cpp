#include "pages/buttons/AddDelayTime.h"

#include "core/LanguageTables.h"
#include "pages/buttons/ValueDialogForm.h"
#include "widgets/DialogFamily.h"
#include "widgets/FormStyles.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>

void Ui_AddDelayTime::setupUi(QDialog* dialog)
{
    const QSize size(300, 140);
    dialog->setObjectName("AddDelayTime");
    dialog->resize(size);
    dialog->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    AddDelayTimeA = AddDialogFrame(dialog, "AddDelayTimeA", size);
    label = AddCaption(AddDelayTimeA, "label", QRect(30, 25, 241, 41), Qt::AlignLeft | Qt::AlignBottom);
    CloseButton = AddCloseButton(AddDelayTimeA, 275);
    spinBox = AddNumberBox(AddDelayTimeA, "spinBox", QRect(30, 70, 231, 20), 14, 10, 65535);
    NewHong = AddAnswerButton(AddDelayTimeA, "NewHong", QRect(40, 110, 90, 24));
    NewHong_2 = AddAnswerButton(AddDelayTimeA, "NewHong_2", QRect(160, 110, 90, 24));

    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_AddDelayTime::retranslateUi(QDialog* dialog)
{
    dialog->setWindowTitle(QCoreApplication::translate("AddDelayTime", "Dialog"));
    label->setText("Please enter the delay time");
    CloseButton->setText(QString());
    NewHong->setText(QString::fromUtf8("确定"));
    NewHong_2->setText(QString::fromUtf8("取消"));
}

AddDelayTime::AddDelayTime(QWidget* parent)
    : ValueDialog(parent, g_LangTextsAddDelayTime)
    , ui(new Ui_AddDelayTime)
{
    ui->setupUi(this);
    ApplyDialogFamilyLook(this, {ui->AddDelayTimeA, ui->label, ui->CloseButton, {ui->NewHong, ui->NewHong_2}});
    ui->spinBox->setStyleSheet(TextColorStyle("QSpinBox", OptionColorText("LinEditColor")));
    ui->spinBox->setFocus();
    FollowLanguage({ui->label, ui->NewHong, ui->NewHong_2});
}

AddDelayTime::~AddDelayTime()
{
    delete ui;
}

void AddDelayTime::on_NewHong_clicked()
{
    DelayValue = ui->spinBox->value();
    Finish(true);
}
