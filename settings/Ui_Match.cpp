#include "settings/Ui_Match.h"
#include "widgets/FormStyles.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>

namespace {

const char* const kInterfaceFamily = "微软雅黑";

QToolButton* Decoration(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setEnabled(false);
    button->setFont(FamilyFont("Arial", 11));
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    return button;
}

} // namespace

void Ui_Match::setupUi(QDialog* Match)
{
    if (Match->objectName().isEmpty())
        Match->setObjectName("Match");
    Match->resize(458, 242);
    Match->setMinimumSize(458, 242);
    Match->setMaximumSize(458, 242);

    MatchA = new QFrame(Match);
    MatchA->setObjectName("MatchA");
    MatchA->setGeometry(0, 0, 458, 242);
    MatchA->setFixedSize(458, 242);
    MatchA->setFrameShape(QFrame::StyledPanel);
    MatchA->setFrameShadow(QFrame::Raised);

    toolButton_2 = Decoration(MatchA, "toolButton_2", QRect(80, 50, 14, 14));

    CloseButton = new QToolButton(MatchA);
    CloseButton->setObjectName("CloseButton");
    CloseButton->setGeometry(435, 20, 14, 14);
    CloseButton->setMinimumSize(14, 14);
    CloseButton->setMaximumSize(10, 10);
    CloseButton->setIconSize(QSize(30, 30));
    CloseButton->setFocusPolicy(Qt::NoFocus);
    CloseButton->setAutoRaise(true);

    MatchButton = new QPushButton(MatchA);
    MatchButton->setObjectName("MatchButton");
    MatchButton->setGeometry(150, 195, 154, 32);
    MatchButton->setFixedSize(154, 32);
    MatchButton->setFont(FamilyFont(QString::fromUtf8(kInterfaceFamily), 11));
    MatchButton->setFocusPolicy(Qt::TabFocus);

    textEdit = new QTextEdit(MatchA);
    textEdit->setObjectName("textEdit");
    textEdit->setGeometry(105, 40, 271, 151);
    textEdit->setEnabled(false);
    textEdit->setReadOnly(true);
    textEdit->setFocusPolicy(Qt::NoFocus);
    QFont editFont = FamilyFont(QString::fromUtf8(kInterfaceFamily), 11);
    editFont.setBold(false);
    textEdit->setFont(editFont);
    textEdit->setLineWrapColumnOrWidth(0);

    label = new QLabel(MatchA);
    label->setObjectName("label");
    label->setGeometry(105, 50, 241, 16);
    label->setFont(FamilyFont(QString::fromUtf8(kInterfaceFamily), 10));

    toolButton_3 = Decoration(MatchA, "toolButton_3", QRect(80, 180, 18, 18));
    toolButton_3->setFixedSize(18, 18);

    retranslateUi(Match);
    QMetaObject::connectSlotsByName(Match);
}

void Ui_Match::retranslateUi(QDialog* Match)
{
    Match->setWindowTitle(QCoreApplication::translate("Match", "Dialog"));
    toolButton_2->setText(QString());
    CloseButton->setText(QString());
    toolButton_3->setText(QString());
    MatchButton->setText(QString::fromUtf8("开始配对"));
    textEdit->setHtml(QString::fromUtf8(
        "<html><body style=\"font-family:'微软雅黑'; font-size:11pt;\"><p><span style=\"font-size:10pt;\">"
        "请让鼠标进入配对状态(同时按住左中右键3秒,直至对码指示灯快闪),并靠近接收器,点击&quot;开始配对&quot;或按键盘的空格键"
        "</span></p></body></html>"));
    label->setText(QString::fromUtf8("无线模式下,才能进入配对"));
}
