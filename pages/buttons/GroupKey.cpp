#include "pages/buttons/GroupKey.h"

#include "core/LanguageTables.h"
#include "core/Timing.h"
#include "device/KeyCodes.h"
#include "pages/buttons/CaptureKeyNames.h"
#include "pages/buttons/ValueDialogForm.h"
#include "widgets/DialogFamily.h"
#include "widgets/FormStyles.h"
#include "widgets/MyLineEdit.h"
#include "widgets/NoticeDialogs.h"
#include "widgets/PageDialogs.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QToolButton>

namespace {

constexpr int kMaxParts = 3;

QStringList PartsOf(const QString& entry)
{
    return entry.isEmpty() ? QStringList() : KeyCombinationParts(entry);
}

QCheckBox* AddModifierBox(QFrame* frame, const char* name, const QRect& rect)
{
    auto* box = new QCheckBox(frame);
    box->setObjectName(name);
    box->setGeometry(rect);
    box->setMinimumSize(QSize(0, 17));
    box->setFont(FormFont(11));
    return box;
}

} // namespace

void Ui_GroupKey::setupUi(QDialog* dialog)
{
    const QSize size(300, 140);
    dialog->setObjectName("GroupKey");
    dialog->resize(size);
    dialog->setMinimumSize(size);
    dialog->setMaximumSize(size);

    groupKeyA = AddDialogFrame(dialog, "groupKeyA", size);
    label = AddCaption(groupKeyA, "label", QRect(45, 9, 231, 51), Qt::AlignLeft | Qt::AlignBottom);
    CloseButton = AddCloseButton(groupKeyA, 275);
    lineEdit = new MyLineEdit(groupKeyA);
    lineEdit->setObjectName("lineEdit");
    lineEdit->setGeometry(QRect(45, 60, 231, 20));
    lineEdit->setFont(FormFont(-1));
    lineEdit->setAlignment(Qt::AlignCenter);
    Shift = AddModifierBox(groupKeyA, "Shift", QRect(45, 85, 61, 17));
    Ctrl = AddModifierBox(groupKeyA, "Ctrl", QRect(110, 85, 51, 17));
    Alt = AddModifierBox(groupKeyA, "Alt", QRect(170, 85, 51, 17));
    Win = AddModifierBox(groupKeyA, "Win", QRect(225, 85, 61, 17));
    NewHong = AddAnswerButton(groupKeyA, "NewHong", QRect(50, 110, 90, 24));
    NewHong_2 = AddAnswerButton(groupKeyA, "NewHong_2", QRect(170, 110, 90, 24));

    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_GroupKey::retranslateUi(QDialog* dialog)
{
    dialog->setWindowTitle(QCoreApplication::translate("GroupKey", "Dialog"));
    label->setText("Please enter keystroke");
    CloseButton->setText(QString());
    Shift->setText("shift");
    Ctrl->setText("Ctrl");
    Alt->setText("Alt");
    Win->setText("Win");
    NewHong->setText(QString::fromUtf8("确定"));
    NewHong_2->setText(QString::fromUtf8("取消"));
}

GroupKey::GroupKey(QWidget* parent)
    : KeyCaptureDialog(parent, g_LangTextsGroupKey, KeyHookSlot::ComboDialog)
    , ui(new Ui_GroupKey)
{
    ui->setupUi(this);
    InstallHook();

    ApplyDialogFamilyLook(this, {ui->groupKeyA, ui->label, ui->CloseButton, {ui->NewHong, ui->NewHong_2}});
    ui->lineEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    ui->lineEdit->setFocus();
    const QString boxStyle = CheckBoxStyle(PicturePath, OptionColorText("LabelColor"));
    for (QCheckBox* box : {ui->Shift, ui->Ctrl, ui->Alt, ui->Win})
        box->setStyleSheet(boxStyle);
    ui->lineEdit->setStyleSheet(TextColorStyle("QLineEdit", OptionColorText("LinEditColor")));

    FollowLanguage({ui->label, ui->NewHong, ui->NewHong_2});
}

GroupKey::~GroupKey()
{
    delete ui;
}

QString GroupKey::Entry() const
{
    return ui->lineEdit->text();
}

void GroupKey::SetEntry(const QString& entry)
{
    ui->lineEdit->setText(entry);
}

// A new entry measures its window from its first key.
void GroupKey::StartEntry(const QString& firstKey)
{
    SetEntry(firstKey);
    EntryTimer.start();
}

void GroupKey::ClearEntry()
{
    PlusCount = 0;
    LastKey = -1;
    SetEntry(QString());
}

void GroupKey::UpdateCapslockTip(int keyCode, bool downOrUp, bool /*aotu*/)
{
    if (!downOrUp)
        return;
    if (FirstKey) {
        EntryTimer.start();
        FirstKey = false;
    } else if (EntryTimer.hasExpired(Timing().keyComboEntryWindowMs)) {
        SetEntry(QString());
        LastKey = -1;
        EntryTimer.start();
    }
    // A held key repeats its key-down; a key counts once per entry.
    if (keyCode == LastKey)
        return;
    LastKey = keyCode;
    const QString name = CombinationKeyName(keyCode);
    const QStringList parts = PartsOf(Entry());
    PlusCount = qMax(0, parts.size() - 1);

    if (parts.size() >= kMaxParts) {
        // A full entry: this key begins the next one (a key without a name
        // leaves it empty).
        PlusCount = 0;
        StartEntry(name);
    } else if (!name.isEmpty() && !parts.contains(name)) {
        if (parts.isEmpty()) {
            StartEntry(name);
        } else {
            SetEntry(Entry() + "+" + name);
            // The third key fills the entry: the next key-down, even of this
            // key, begins a new one.
            if (parts.size() == kMaxParts - 1)
                LastKey = -1;
        }
    }
}

void GroupKey::on_lineEdit_textEdited(const QString& text)
{
    // Pasted text: known key names in their own spelling, the rest in upper case.
    QStringList parts = PartsOf(text);
    for (QString& part : parts) {
        const QString known = CombinationKeyNamed(part);
        part = known.isEmpty() ? part.toUpper() : known;
    }
    SetEntry(parts.join("+"));
}

void GroupKey::on_NewHong_clicked()
{
    QStringList combination;
    const QPair<QCheckBox*, const char*> modifiers[] = {
        {ui->Shift, "Shift"}, {ui->Ctrl, "Ctrl"}, {ui->Alt, "Alt"}, {ui->Win, "Win"}};
    for (const auto& modifier : modifiers) {
        if (modifier.first->isChecked())
            combination << modifier.second;
    }
    const QStringList keys = PartsOf(Entry());
    for (const QString& key : keys) {
        // Only pasted text can hold something that is not a key.
        if (key.isEmpty() || CombinationKeyNamed(key) != key) {
            ClearEntry();
            return;
        }
    }
    combination += keys;

    if (combination.size() > kMaxParts) {
        GroupMaxThree notice;
        notice.move(mapToGlobal(QPoint(0, 0)));
        RunPageDialog(notice);
        ClearEntry();
        return;
    }
    KeyText = combination.join("+");
    // Nothing to assign: the same as Cancel.
    Finish(!combination.isEmpty());
}
