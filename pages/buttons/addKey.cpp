#include "pages/buttons/addKey.h"

#include "core/LanguageTables.h"
#include "pages/buttons/CaptureKeyNames.h"
#include "pages/buttons/ValueDialogForm.h"
#include "widgets/DialogFamily.h"
#include "widgets/FormStyles.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

void Ui_addKey::setupUi(QDialog* dialog)
{
    const QSize size(300, 140);
    dialog->setObjectName("addKey");
    dialog->resize(size);
    dialog->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    addKeyA = AddDialogFrame(dialog, "addKeyA", size);
    label = AddCaption(addKeyA, "label", QRect(30, 25, 241, 41), Qt::AlignLeft | Qt::AlignBottom);
    CloseButton = AddCloseButton(addKeyA, 275);
    lineEdit = new QLineEdit(addKeyA);
    lineEdit->setObjectName("lineEdit");
    lineEdit->setGeometry(QRect(30, 70, 231, 20));
    lineEdit->setFont(FormFont(12));
    lineEdit->setMaxLength(50);
    lineEdit->setAlignment(Qt::AlignCenter);
    NewHong = AddAnswerButton(addKeyA, "NewHong", QRect(40, 110, 90, 24));
    NewHong_2 = AddAnswerButton(addKeyA, "NewHong_2", QRect(160, 110, 90, 24));

    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_addKey::retranslateUi(QDialog* dialog)
{
    dialog->setWindowTitle(QCoreApplication::translate("addKey", "Dialog"));
    label->setText("Please enter a button");
    CloseButton->setText(QString());
    NewHong->setText(QString::fromUtf8("确定"));
    NewHong_2->setText(QString::fromUtf8("取消"));
}

addKey::addKey(QWidget* parent)
    : KeyCaptureDialog(parent, g_LangTextsAddKey, KeyHookSlot::KeyDialog)
    , ui(new Ui_addKey)
{
    ui->setupUi(this);
    InstallHook();

    ApplyDialogFamilyLook(this, {ui->addKeyA, ui->label, ui->CloseButton, {ui->NewHong, ui->NewHong_2}});
    ui->lineEdit->setStyleSheet(TextColorStyle("QLineEdit", OptionColorText("LinEditColor")));
    ui->lineEdit->setFocus();

    FollowLanguage({ui->label, ui->NewHong, ui->NewHong_2});
}

addKey::~addKey()
{
    delete ui;
}

void addKey::UpdateCapslockTip(int keyCode, bool /*downOrUp*/, bool /*aotu*/)
{
    KeyText = SingleKeyName(keyCode);
    ui->lineEdit->setText(KeyText);
}

void addKey::on_NewHong_clicked()
{
    // Without a key caught there is nothing to insert: the same as Cancel.
    if (KeyText.isEmpty())
        Finish(false);
    else
        Finish(true, QDialog::Accepted);
}
