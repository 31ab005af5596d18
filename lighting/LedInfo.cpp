#include "lighting/LedInfo.h"

#include "core/ConfigIni.h"
#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "device/DeviceState.h"
#include "lighting/FormParts.h"
#include "widgets/FormStyles.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QTextEdit>
#include <QToolButton>

namespace {

// Positions in the "FormSetting" language section.
constexpr int kTitleText = 19;
constexpr int kFirstExplanationText = 20;

QCheckBox* ModeBox(QWidget* parent, const char* name, int y)
{
    auto* box = new QCheckBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(QRect(70, y, 16, 31));
    QPalette palette;
    const QBrush white(QColor(255, 255, 255));
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setBrush(group, QPalette::WindowText, white);
        palette.setBrush(group, QPalette::Text, white);
        palette.setBrush(group, QPalette::ButtonText, white);
    }
    box->setPalette(palette);
    box->setFont(FormFont(9));
    box->setFocusPolicy(Qt::NoFocus);
    box->setLayoutDirection(Qt::LeftToRight);
    return box;
}

QTextEdit* Explanation(QWidget* parent, const char* name, int y)
{
    auto* edit = new QTextEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setEnabled(false);
    edit->setGeometry(QRect(90, y, 520, 71));
    QFont font = FormFont(9);
    font.setBold(false);
    font.setItalic(false);
    font.setWeight(QFont::Normal);
    edit->setFont(font);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setLineWrapColumnOrWidth(0);
    edit->setReadOnly(true);
    return edit;
}

QString ExplanationHtml()
{
    return QString::fromUtf8(
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\" \"http://www.w3.org/TR/REC-html40/strict.dtd\">\n"
        "<html><head><meta name=\"qrichtext\" content=\"1\" /><style type=\"text/css\">\n"
        "p, li { white-space: pre-wrap; }\n"
        "</style></head><body style=\" font-family:'微软雅黑'; font-size:9pt; font-weight:400; font-style:normal;\">\n"
        "<p style=\" margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; "
        "text-indent:0px;\">远距离模式（远距离模式下，距离会更远抗干扰能力更强，相应工作电流会加大，使用时间减少）</p>"
        "</body></html>");
}

} // namespace

bool ReceiverLedOptionApplies(const DeviceAllInfo& device)
{
    const QStringList advanced =
        ConfigIni::GetInstance()->ValueList("Drive" + QString::number(device.ModelIndex + 1), "Adveanced");
    // A model without a second item has no receiver-LED option to speak of.
    if (advanced.size() < 2 || advanced.at(1) == QLatin1String("-1"))
        return false;
    return !device.KindFlag && device.Kind == 1;
}

void Ui_LedInfo::setupUi(QDialog* dialog)
{
    if (dialog->objectName().isEmpty())
        dialog->setObjectName(QStringLiteral("LedInfo"));
    LedInfoFrame = CreatePanelFrame(dialog, "LedInfoFrame");

    TitleButton_7 = new QToolButton(LedInfoFrame);
    TitleButton_7->setObjectName(QStringLiteral("TitleButton_7"));
    TitleButton_7->setEnabled(false);
    TitleButton_7->setGeometry(QRect(40, 40, 16, 10));
    TitleButton_7->setMinimumSize(QSize(16, 10));
    TitleButton_7->setMaximumSize(QSize(16, 10));
    TitleButton_7->setFocusPolicy(Qt::NoFocus);
    TitleButton_7->setStyleSheet(QStringLiteral("border-image: url(:/sensor/Source/SensorImage/Title.png);"));
    TitleButton_7->setAutoRaise(true);

    label_14 = new QLabel(LedInfoFrame);
    label_14->setObjectName(QStringLiteral("label_14"));
    label_14->setGeometry(QRect(70, 33, 501, 21));
    label_14->setFont(FormFont(11));
    label_14->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));

    ReUntil = ModeBox(LedInfoFrame, "ReUntil", 60);
    ReUntil_2 = ModeBox(LedInfoFrame, "ReUntil_2", 130);
    ReUntil_3 = ModeBox(LedInfoFrame, "ReUntil_3", 200);
    textEdit_2 = Explanation(LedInfoFrame, "textEdit_2", 60);
    textEdit_3 = Explanation(LedInfoFrame, "textEdit_3", 130);
    textEdit_4 = Explanation(LedInfoFrame, "textEdit_4", 200);

    CloseButton = CreatePanelCloseButton(LedInfoFrame);

    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_LedInfo::retranslateUi(QDialog* dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    TitleButton_7->setText(QString());
    label_14->setText(QString::fromUtf8("选择接收器上的LED指示灯所传达的信息"));
    for (QCheckBox* box : {ReUntil, ReUntil_2, ReUntil_3})
        box->setText(QString());
    for (QTextEdit* edit : {textEdit_2, textEdit_3, textEdit_4})
        edit->setHtml(ExplanationHtml());
    CloseButton->setText(QString());
}

LedInfo::LedInfo(QWidget* parent)
    : PanelDialog(parent, QStringLiteral("FormSetting")), ui(new Ui_LedInfo), m_ButtonGroup(nullptr)
{
    ui->setupUi(this);
    m_ButtonGroup = new QButtonGroup(this);
    m_ButtonGroup->setExclusive(true);
    for (QCheckBox* box : {ui->ReUntil, ui->ReUntil_2, ui->ReUntil_3})
        m_ButtonGroup->addButton(box);
    connect(PostMsg::GetInstance(), SIGNAL(SigRGBValue(DongleRGB*)), this, SLOT(SlotRGBValue(DongleRGB*)),
            Qt::BlockingQueuedConnection);
}

LedInfo::~LedInfo()
{
    delete ui;
}

void LedInfo::ApplyLook()
{
    const QString& folder = m_PictureFolder;
    const QString color = OptionColorText("LabelColor");
    ui->label_14->setStyleSheet(LabelStyle(color));
    ui->TitleButton_7->setStyleSheet("#TitleButton_7{border-image: " + StyleUrl(folder + "Title.png") + ";}");
    const QString boxStyle = "QCheckBox{color: rgb(" + color + ";);}QCheckBox:indicator::checked {image: "
        + StyleUrl(folder + "CheckBoxCheck.png") + ";}QCheckBox::indicator::unchecked {image: "
        + StyleUrl(folder + "CheckBox2.png") + ";}";
    for (QCheckBox* box : {ui->ReUntil, ui->ReUntil_2, ui->ReUntil_3})
        box->setStyleSheet(boxStyle);
    ui->LedInfoFrame->setStyleSheet(FrameBackgroundStyle("LedInfoFrame", folder, "Back.png"));
    for (QTextEdit* edit : {ui->textEdit_2, ui->textEdit_3, ui->textEdit_4})
        edit->setStyleSheet("#" + edit->objectName() + "{border: transparent;background-color: transparent;color: rgb("
                            + color + ";);}");
    ui->CloseButton->setStyleSheet(CloseButtonStyle(folder));
}

// Marks what the receiver reported (the group unmarks the others); a mode
// outside 1..3 leaves the boxes as they are.
void LedInfo::SlotRGBValue(DongleRGB* Rgb)
{
    if (!Rgb || !ReceiverLedOptionApplies(g_CurrentDevice.Snapshot()))
        return;
    QCheckBox* const boxes[] = {ui->ReUntil, ui->ReUntil_2, ui->ReUntil_3};
    if (Rgb->Mode >= 1 && Rgb->Mode <= 3)
        boxes[Rgb->Mode - 1]->setChecked(true);
}

void LedInfo::SlotAllLanguage(int index)
{
    const QList<QStringList>& table = g_LangTextsFormSetting;
    ui->label_14->setText(LanguageTextInRow(table, index, kTitleText, ui->label_14->text()));
    QTextEdit* const edits[] = {ui->textEdit_2, ui->textEdit_3, ui->textEdit_4};
    for (int i = 0; i < 3; ++i)
        edits[i]->setText(LanguageTextInRow(table, index, kFirstExplanationText + i, edits[i]->toHtml()));
}
