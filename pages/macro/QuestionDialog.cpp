#include "pages/macro/QuestionDialog.h"

#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "pages/macro/MacroNames.h"
#include "widgets/DialogFamily.h"
#include "widgets/FormStyles.h"

#include <QFrame>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

const QSize kDialogSize(300, 140);
const char* const kDefaultLabelText = "Please create a macro first";

// Typed characters that never enter a name.
const QStringList& RefusedKeyTexts()
{
    static const QStringList texts = {"-", "=", "[", "]", ";", "'", ",", ".", "/",
                                      QStringLiteral("\u0060"), QStringLiteral("\u3010"), "\\", "*", "+"};
    return texts;
}

// Input-method commits that never enter a name: the full-width marks and a
// few half-width ones.
const QStringList& RefusedCommitTexts()
{
    static const QStringList texts = {QStringLiteral("\u3010"), QStringLiteral("\u3011"), "-", "=",
                                      QStringLiteral("\u3001"), QStringLiteral("\uFF1B"), QStringLiteral("\u2019"),
                                      QStringLiteral("\uFF0C"), QStringLiteral("\u3002"), "/", "*",
                                      QStringLiteral("\u00B7"), QStringLiteral("\u2018")};
    return texts;
}

QToolButton* AnswerButton(QFrame* frame, const char* name, const QRect& geometry)
{
    auto* button = new QToolButton(frame);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    button->setMinimumSize(0, 0);
    button->setMaximumSize(500, 500);
    button->setFont(FormFont(11));
    button->setAutoRaise(true);
    return button;
}

} // namespace

void Ui_QuestionDialog::setupUi(QDialog* dialog)
{
    if (dialog->objectName().isEmpty())
        dialog->setObjectName("QuestionDialog");
    dialog->resize(kDialogSize);
    dialog->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    dialog->setMinimumSize(kDialogSize);
    dialog->setMaximumSize(kDialogSize);

    Question = new QFrame(dialog);
    Question->setObjectName("Question");
    Question->setGeometry(QRect(QPoint(0, 0), kDialogSize));
    Question->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    Question->setMinimumSize(kDialogSize);
    Question->setMaximumSize(kDialogSize);
    Question->setFrameShape(QFrame::StyledPanel);
    Question->setFrameShadow(QFrame::Raised);

    label = new QLabel(Question);
    label->setObjectName("label");
    label->setGeometry(QRect(30, 20, 241, 41));
    label->setFont(FormFont(11));
    label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    label->setWordWrap(true);

    CloseButton = new QToolButton(Question);
    CloseButton->setObjectName("CloseButton");
    CloseButton->setGeometry(QRect(275, 5, 20, 20));
    QSizePolicy closePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    closePolicy.setHorizontalStretch(20);
    closePolicy.setVerticalStretch(20);
    CloseButton->setSizePolicy(closePolicy);
    CloseButton->setMaximumSize(20, 20);
    CloseButton->setIconSize(QSize(30, 30));
    CloseButton->setAutoRaise(true);

    lineEdit = new QLineEdit(Question);
    lineEdit->setObjectName("lineEdit");
    lineEdit->setGeometry(QRect(30, 70, 241, 20));
    lineEdit->setFont(FormFont());
    lineEdit->setMaxLength(32767);
    lineEdit->setAlignment(Qt::AlignCenter);

    NewHong = AnswerButton(Question, "NewHong", QRect(50, 110, 90, 24));
    NewHong_2 = AnswerButton(Question, "NewHong_2", QRect(170, 110, 90, 24));

    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_QuestionDialog::retranslateUi(QDialog* dialog)
{
    dialog->setWindowTitle("Dialog");
    label->setText(kDefaultLabelText);
    CloseButton->setText(QString());
    lineEdit->setText(QString());
    lineEdit->setInputMask(QString());
    NewHong->setText(QString::fromUtf8("确认"));
    NewHong_2->setText(QString::fromUtf8("取消"));
}

QuestionDialog::QuestionDialog(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui_QuestionDialog)
{
    ui->setupUi(this);
    ApplyDialogFamilyLook(this, {ui->Question, ui->label, ui->CloseButton, {ui->NewHong, ui->NewHong_2}});
    setFixedSize(width(), height());
    connect(ui->NewHong_2, SIGNAL(clicked()), this, SLOT(WindowClosedLan()));
    ui->lineEdit->setStyleSheet("QLineEdit{color: rgb(" + OptionColorText("LinEditColor") + ";);}");

    ui->lineEdit->setFocus(Qt::ActiveWindowFocusReason);
    ui->lineEdit->installEventFilter(this);

    connect(PostMsg::GetInstance(), SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(g_LanguageIndex);
}

QuestionDialog::~QuestionDialog()
{
    delete ui;
}

void QuestionDialog::SetPromptMode(int mode)
{
    ui->label->setText(mode != 0 ? RenamePromptText : NewPromptText);
}

void QuestionDialog::WindowClosedLan()
{
    EnteredName.clear();
    close();
}

void QuestionDialog::on_CloseButton_clicked()
{
    WindowClosedLan();
}

void QuestionDialog::on_NewHong_clicked()
{
    EnteredName = ui->lineEdit->text();
    close();
}

void QuestionDialog::SlotAllLanguage(int /*index: always the current language*/)
{
    NewPromptText = LanguageText(g_LangTextsQuestion, 0, kDefaultLabelText);
    RenamePromptText = LanguageText(g_LangTextsQuestion, 1, kDefaultLabelText);
    ui->NewHong->setText(LanguageText(g_LangTextsQuestion, 2, ui->NewHong->text()));
    ui->NewHong_2->setText(LanguageText(g_LangTextsQuestion, 3, ui->NewHong_2->text()));
}

void QuestionDialog::on_lineEdit_textEdited(const QString& text)
{
    QString name = text;
    if (name.endsWith(' '))
        name.remove(' ');
    ui->lineEdit->setText(CutToMacroNameBytes(name));
}

bool QuestionDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->lineEdit) {
        if (event->type() == QEvent::KeyPress
            && RefusedKeyTexts().contains(static_cast<QKeyEvent*>(event)->text()))
            return true;
        if (event->type() == QEvent::InputMethod
            && RefusedCommitTexts().contains(static_cast<QInputMethodEvent*>(event)->commitString()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void QuestionDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Shift) {
        ui->lineEdit->setEnabled(false);
        return;
    }
    // Not the dialog's handler: Escape and Enter neither close nor accept.
    QWidget::keyPressEvent(event);
}

void QuestionDialog::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Shift) {
        ui->lineEdit->setEnabled(true);
        ui->lineEdit->setFocus(Qt::OtherFocusReason);
        return;
    }
    QWidget::keyReleaseEvent(event);
}
