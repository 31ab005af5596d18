#include "settings/FormSetting.h"

#include "core/ConfigIni.h"
#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "core/UserIni.h"
#include "device/DeviceLibrary.h"
#include "device/DeviceState.h"
#include "device/ReceiverChoices.h"
#include "lighting/FormParts.h"
#include "pages/sensor/StopCloseTime.h"
#include "platform/MouseControlPanel.h"
#include "platform/SessionAutostart.h"
#include "settings/FirmwareUpdateEngine.h"
#include "settings/Match.h"
#include "settings/Ui_FormSetting.h"
#include "widgets/DialogFamily.h"
#include "widgets/FirmwareNotices.h"
#include "widgets/FormStyles.h"
#include "widgets/MyButton.h"
#include "widgets/MyConmboBox.h"
#include "widgets/NoticeDialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFont>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QToolButton>
#include <QUrl>

#include <utility>

QString g_UpdateWarningText;

namespace {

// How far the widgets below the pairing block sit below their first place;
// the contents grow by as much.
constexpr int kLayoutOffset = 80;
constexpr int kContentsWidth = 880;

// Positions of texts in the page's language section.
enum FormSettingText {
    TextVersionLine = 0,
    TextLanguageCaption = 1,
    TextDeviceCaption = 2,
    TextReceiverVersion = 3,
    TextMouseVersion = 4,
    TextPairingCaption = 5,
    TextPairButton = 6,
    TextUpdateButton = 7,
    TextOtherCaption = 9,
    TextSessionStart = 10,
    TextMouseSettings = 11,
    TextLongRangeCaption = 12,
    TextLongRange = 13,
    TextWiredMode = 14,
    TextUpdateMessage = 16,
    TextLedCaption = 19,
    TextFirstLedMode = 20,
    TextFirstSleepTime = 28,
    TextSleepCaption = 39,
    TextSleepExplanation = 40,
    TextAutostartNotWritten = 47,
    TextAutostartForeignEntry = 48,
};

// Elements of the company table's one row.
enum CompanyText { CompanyName = 0, CompanyNameLocal = 1, CompanyWebLocal = 2, CompanyWeb = 3 };

// Where the version values and the update button sit for a language, whose
// captions differ in length.
struct VersionRowPlaces
{
    int valueX;
    QPoint updateButton; // (-1, -1): not moved
    int updateFontSize;
};

VersionRowPlaces VersionRowPlacesFor(int languageIndex)
{
    switch (languageIndex) {
    case 0: return {200, {280, 170}, 10};
    case 1: return {220, {280, 170}, 10};
    case 2: return {150, {330, 170}, 10};
    case 3: return {170, {280, 170}, 10};
    case 4: return {280, {330, 170}, 10};
    case 5: return {280, {-1, -1}, 7};
    default: return {235, {285, 155}, 10};
    }
}

// Item k of the current model's list of advanced options ("Adveanced": 0 long
// range, 1 receiver LED). A missing item counts as "-1": the model lacks it.
bool ModelOffersOption(int item)
{
    const int modelIndex = g_CurrentDevice.Snapshot().ModelIndex;
    const QStringList options =
        ConfigIni::GetInstance()->ValueList("Drive" + QString::number(modelIndex + 1), "Adveanced");
    return item < options.size() && options.at(item) != QLatin1String("-1");
}

bool ModelOffersLongRange()
{
    return ModelOffersOption(0);
}

// Whether the receiver answers; if not, undo puts the page back to what the
// receiver holds, then the main window says the device is offline (its
// notice waits for the user, and should not show a change that was not made).
template <typename Undo>
bool ReceiverAnswers(const QByteArray& path, Undo undo)
{
    if (UsbFinderC_GetDeviceOnLine(path.constData()))
        return true;
    undo();
    PostMsg::GetInstance()->EmitMouseOffLineo(0);
    return false;
}

QString ObjectBorderImageStyle(const QString& objectName, const QString& folder, const QString& picture)
{
    return "#" + objectName + "{border-image: " + StyleUrl(folder + picture) + ";}";
}

// A transparent, borderless text button: "left" or "right" aligned.
QString LinkButtonStyle(const QString& colorText, const QString& alignment)
{
    return "QPushButton{border:none;background:transparent;color: rgb(" + colorText + ";);text-align : " + alignment
           + ";padding-right:1px;}";
}

QString PictureCheckBoxStyle(const QString& objectName, const QString& folder)
{
    const QString selector = "#" + objectName;
    return selector + "{color: rgb(255, 255, 255);}" + selector + "::indicator:unchecked{image: "
           + StyleUrl(folder + "CheckBox.png") + ";}" + selector + "::indicator:checked{image: "
           + StyleUrl(folder + "CheckBoxChecked.png") + ";}";
}

QString TransparentTextEditStyle(const QString& objectName, const QString& colorText)
{
    return "#" + objectName + "{border: transparent;background-color: transparent;color: rgb(" + colorText + ";);}";
}

// Links open in the browser; a text from the language files that names
// anything else (a local program, a file) is not opened.
bool IsWebAddress(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() && (scheme == "http" || scheme == "https");
}

} // namespace

FormSetting::FormSetting(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui_FormSetting)
{
    ui->setupUi(this);
    // The firmware update shows the update button and the message area.
    ui->Receive_2->hide();
    ui->NewLabel->hide();

    PlaceOptionSections();

    QObject* hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigLanguageSameB(int)), this, SLOT(SlotLanguageSameB(int)));
    connect(hub, SIGNAL(SigLightToFrom(int)), this, SLOT(SlotLightToFrom(int)));
    connect(hub, SIGNAL(SigRGBValue(DongleRGB*)), this, SLOT(SlotRGBValue(DongleRGB*)), Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigLongRangeMode(bool)), this, SLOT(SlotLongRangeMode(bool)), Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigForm()), this, SLOT(SlotForm()), Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigFormB()), this, SLOT(SlotFormB()));
    connect(hub, SIGNAL(SigFormReset()), this, SLOT(SlotFormResetForm()), Qt::BlockingQueuedConnection);

    connect(ui->scrollArea->verticalScrollBar(), SIGNAL(valueChanged(int)), this, SLOT(SlotScroolChange(int)));
    ui->scrollArea->setFrameShape(QFrame::NoFrame);

    m_PicturePath = PictureFolder("FormSetting");
    FirmwareUpdateWidgets updateWidgets;
    updateWidgets.page = this;
    updateWidgets.receiverVersion = ui->label_5;
    updateWidgets.mouseVersion = ui->label_7;
    updateWidgets.receiverMark = ui->toolButton_2;
    updateWidgets.mouseMark = ui->toolButton_3;
    updateWidgets.updateButton = ui->Receive_2;
    m_FirmwareUpdate = new FirmwareUpdateEngine(updateWidgets, this);
    m_LedGroup = new QButtonGroup(this);
    m_LedGroup->setExclusive(true);

    ApplyStyleSheets();

    m_LabelOrigin = ui->label->pos();
    // Where the desktop has no mouse settings to open, the link would do nothing.
    const bool mouseSettings = MouseControlPanelAvailable();
    ui->pushButton->setVisible(mouseSettings);
    ui->toolButton->setVisible(mouseSettings);
    // The box shows what is in force at log-in, whoever set it.
    ui->checkBox->setChecked(SessionAutostartEnabled());

    ShowLongRangeSection(false);
    ShowReceiverLedSection(false);
    LayOutBottom(false);

    for (QCheckBox* box : {ui->ReUntil, ui->ReUntil_2, ui->ReUntil_3})
        m_LedGroup->addButton(box);

    for (PanelDialog* dialog : std::initializer_list<PanelDialog*>{&m_LedInfo, &m_InputPicA, &m_InputPicB,
                                                                   &m_LightModeSet})
        dialog->ApplyCurrentLanguage();

    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(g_LanguageIndex);
    SlotLanguageSameB(g_LanguageIndex);
}

FormSetting::~FormSetting()
{
    delete ui;
}

void FormSetting::PlaceOptionSections()
{
    const std::pair<QWidget*, QPoint> places[] = {
        {ui->TitleButton_5, {40, 350}}, {ui->checkBox, {40, 380}},     {ui->label_10, {70, 380}},
        {ui->label_9, {70, 343}},       {ui->toolButton, {40, 420}},   {ui->pushButton, {60, 420}},
        {ui->TitleButton_6, {40, 480}}, {ui->label_11, {70, 473}},     {ui->checkBox_2, {40, 510}},
        {ui->TitleButton_7, {40, 560}}, {ui->label_14, {70, 553}},     {ui->ReUntil, {70, 580}},
        {ui->ReUntil_2, {70, 620}},     {ui->ReUntil_3, {70, 660}},    {ui->textEdit, {65, 505}},
        {ui->textEdit_2, {90, 580}},    {ui->textEdit_3, {90, 620}},   {ui->textEdit_4, {90, 660}},
    };
    for (const auto& place : places)
        place.first->move(place.second.x(), kLayoutOffset + place.second.y());
}

void FormSetting::ApplyStyleSheets()
{
    const QString& folder = m_PicturePath;
    const QString labelColor = OptionColorText("LabelColor");
    for (QLabel* label : {ui->label, ui->label_2, ui->label_3, ui->label_4, ui->label_5, ui->label_6, ui->label_7,
                          ui->label_8, ui->label_9, ui->label_11, ui->label_14, ui->label_10})
        label->setStyleSheet(LabelStyle(labelColor));
    ui->pushButton_2->setStyleSheet(
        ColoredButtonStyle("QPushButton", PictureProperty::Background, folder, OptionColorText("ButtonColor"),
                           {"PariButton.png", {}, {}, {}}));
    ui->pushButton->setStyleSheet(LinkButtonStyle(labelColor, "left"));
    ui->pushButton_3->setStyleSheet(LinkButtonStyle(labelColor, "right"));
    ui->pushButton_4->setStyleSheet(LinkButtonStyle(labelColor, "right"));
    for (QToolButton* marker : {ui->TitleButton_2, ui->TitleButton_3, ui->TitleButton_4, ui->TitleButton_5,
                                ui->TitleButton_6, ui->TitleButton_7})
        marker->setStyleSheet(ObjectBorderImageStyle(marker->objectName(), folder, "Title.png"));
    ui->toolButton->setStyleSheet(ObjectBorderImageStyle("toolButton", folder, "Mouse.png"));

    StyleComboBox(ui->comboBox, folder, OptionComboBoxColors());
    ui->comboBox->setMaxVisibleItems(5);

    for (QCheckBox* box : {ui->checkBox, ui->checkBox_2})
        box->setStyleSheet(PictureCheckBoxStyle(box->objectName(), folder));
    for (QCheckBox* box : {ui->ReUntil, ui->ReUntil_2, ui->ReUntil_3})
        box->setStyleSheet(CheckBoxStyle(folder, labelColor, "CheckBoxCheck.png", "CheckBox2.png"));
    for (QTextEdit* edit : {ui->textEdit, ui->textEdit_2, ui->textEdit_3, ui->textEdit_4})
        edit->setStyleSheet(TransparentTextEditStyle(edit->objectName(), labelColor));
    for (QToolButton* mark : {ui->toolButton_2, ui->toolButton_3}) {
        mark->setStyleSheet(
            ColoredButtonStyle("QToolButton", PictureProperty::Background, folder, "255,106,0", {"Picture.png", {}, {}, {}}));
        mark->hide();
    }
    ui->scrollAreaWidgetContents->setStyleSheet("background-color:transparent;border:none;");
}

void FormSetting::ShowLongRangeSection(bool shown)
{
    for (QWidget* widget : std::initializer_list<QWidget*>{ui->TitleButton_6, ui->label_11, ui->checkBox_2, ui->textEdit})
        widget->setVisible(shown);
}

void FormSetting::ShowReceiverLedSection(bool shown)
{
    for (QWidget* widget : std::initializer_list<QWidget*>{ui->TitleButton_7, ui->label_14, ui->ReUntil, ui->ReUntil_2,
                                                           ui->ReUntil_3, ui->textEdit_2, ui->textEdit_3, ui->textEdit_4})
        widget->setVisible(shown);
}

void FormSetting::LayOutBottom(bool receiverLedShown)
{
    // The receiver-LED section moves the bottom lines down by 170 pixels
    // and lengthens the contents by 150.
    const int linesDown = receiverLedShown ? 170 : 0;
    const int height = kLayoutOffset + (receiverLedShown ? 780 : 630);
    ui->scrollAreaWidgetContents->setFixedSize(kContentsWidth, height);
    ui->pushButton_3->move(610, kLayoutOffset + 540 + linesDown);
    ui->pushButton_4->move(490, kLayoutOffset + 560 + linesDown);
    // The closing line stays at the foot of the contents, below the LED choices.
    ui->line_5->move(ui->line_5->x(), height - 5);
}

void FormSetting::mousePressEvent(QMouseEvent*) {}

void FormSetting::on_pushButton_clicked()
{
    OpenMouseControlPanel();
}

void FormSetting::on_pushButton_3_clicked()
{
    const QUrl url(ui->pushButton_3->text().trimmed());
    if (IsWebAddress(url))
        QDesktopServices::openUrl(url);
}

void FormSetting::on_pushButton_2_clicked()
{
    RunPairingDialog(this, -70, -30);
}

void FormSetting::on_comboBox_activated(int index)
{
    const bool saved = UserIni::GetInstance()->SetValue("Language", "Language", QString::number(index));
    g_LanguageIndex = index;
    PostMsg* hub = PostMsg::GetInstance();
    hub->EmitAllLanguage(index);
    hub->EmitLanguageSameA(index);
    // The language changes for this session all the same; the notice, in the
    // new language, says it will not be kept.
    if (!saved)
        TellSettingNotSaved(this);
}

void FormSetting::SlotLanguageSameB(int index)
{
    const QSignalBlocker blocker(ui->comboBox);
    ui->comboBox->setCurrentIndex(index);
}

void FormSetting::on_checkBox_clicked(bool checked)
{
    const SessionAutostartResult result = SetSessionAutostart(checked);
    // A change that could not be made leaves the box as the entry is.
    const bool enabled = SessionAutostartEnabled();
    ui->checkBox->setChecked(enabled);
    UserIni::GetInstance()->SetValue("AutoStart", "Enable", enabled ? "1" : "0");
    if (result == SessionAutostartResult::Done)
        return;
    const int notice =
        result == SessionAutostartResult::ForeignEntry ? TextAutostartForeignEntry : TextAutostartNotWritten;
    UpDateWarning warning;
    warning.SetText(LanguageText(g_LangTextsFormSetting, notice, QString())
                        .arg(QDir::toNativeSeparators(SessionAutostartFolder())));
    PlaceDialog(&warning, this);
    warning.exec();
}

void FormSetting::on_checkBox_2_toggled(bool checked)
{
    if (!g_SendEnabled)
        return;
    const QByteArray path = g_DevicePathC.Snapshot();
    if (!ReceiverAnswers(path, [this, checked] { ShowLongRangeSilently(!checked); }))
        return;
    const int mode = checked ? 1 : 0;
    UsbFinderC_SetLongRangeMode(path.constData(), mode);
    KeepReceiverChoice(ReceiverOption::LongRange, mode);
}

// The receiver has the choice already and keeps it through a wake in this
// run; the notice says only that it will not outlive the run.
void FormSetting::KeepReceiverChoice(ReceiverOption option, int value)
{
    if (!RememberReceiverChoice(g_CurrentDevice.Snapshot(), option, value))
        TellSettingNotSaved(this);
}

void FormSetting::SendReceiverLedMode(int mode, bool checked)
{
    if (!g_SendEnabled)
        return;
    const QByteArray path = g_DevicePathC.Snapshot();
    // Offline is reported for the box that loses the mark as well.
    if (!ReceiverAnswers(path, [this] { ShowLedModeSilently(g_DongleRGB.Snapshot().Mode); }) || !checked)
        return;
    {
        auto led = g_DongleRGB.Lock();
        led->Mode = static_cast<std::uint8_t>(mode);
        UsbFinderC_Set4KDongleRGB(path.constData(), &*led);
    }
    KeepReceiverChoice(ReceiverOption::Led, mode);
}

void FormSetting::on_ReUntil_toggled(bool checked)
{
    SendReceiverLedMode(1, checked);
}

void FormSetting::on_ReUntil_2_toggled(bool checked)
{
    SendReceiverLedMode(2, checked);
}

void FormSetting::on_ReUntil_3_toggled(bool checked)
{
    SendReceiverLedMode(3, checked);
}

void FormSetting::LayOutForRecord(bool keepLongRange)
{
    const DeviceAllInfo device = g_CurrentDevice.Snapshot();
    // The same read reports the LED mode just before it asks for this
    // layout, and a receiver sends its own LED report only rarely: the
    // section follows the receiver and its description, not the report.
    const bool receiverLed = ReceiverLedOptionApplies(device);
    ShowReceiverLedSection(receiverLed);
    if (!ModelOffersLongRange())
        ShowLongRangeSection(false);
    else if (!keepLongRange)
        ShowLongRangeSection(true);
    // A mouse on its cable has no receiver options.
    if (device.KindFlag)
        ShowLongRangeSection(false);
    LayOutBottom(receiverLed);
}

void FormSetting::SlotForm()
{
    LayOutForRecord(false);
}

void FormSetting::SlotFormB()
{
    LayOutForRecord(true);
}

void FormSetting::SlotFormResetForm()
{
    ShowLongRangeSection(false);
    ShowReceiverLedSection(false);
    ShowLongRangeSilently(false);
    LayOutBottom(false);
}

void FormSetting::SlotLongRangeMode(bool Select)
{
    if (!ModelOffersLongRange())
        return;
    ShowLongRangeSection(true);
    ShowLongRangeSilently(Select);
}

// What the receiver reports is shown, never sent back to it.
void FormSetting::ShowLongRangeSilently(bool on)
{
    const QSignalBlocker blocker(ui->checkBox_2);
    ui->checkBox_2->setChecked(on);
}

void FormSetting::SlotRGBValue(DongleRGB* Rgb)
{
    if (!Rgb || !ReceiverLedOptionApplies(g_CurrentDevice.Snapshot()))
        return;
    ShowReceiverLedSection(true);
    ShowLedModeSilently(Rgb->Mode);
    LayOutBottom(true);
}

// A mode outside 1 to 3 leaves the boxes as they are.
void FormSetting::ShowLedModeSilently(int mode)
{
    QCheckBox* const boxes[] = {ui->ReUntil, ui->ReUntil_2, ui->ReUntil_3};
    if (mode < 1 || mode > 3)
        return;
    // The box losing its mark would report offline too: block all three.
    const QSignalBlocker first(boxes[0]), second(boxes[1]), third(boxes[2]);
    boxes[mode - 1]->setChecked(true);
}

void FormSetting::SlotLightToFrom(int index)
{
    const int item = SleepTimeIndexOfSeconds(index);
    if (item >= 0)
        ui->frameClose->SetCurrentIndexSilently(item);
}

void FormSetting::SlotScroolChange(int index)
{
    // Follows the scrolling exactly, so the line stands still at the top.
    ui->label->move(m_LabelOrigin.x(), m_LabelOrigin.y() + index);
}

void FormSetting::SlotAllLanguage(int index)
{
    const VersionRowPlaces places = VersionRowPlacesFor(index);
    ui->Receive_2->setFont(FormFont(places.updateFontSize));
    ui->label_5->move(places.valueX, 155);
    ui->label_7->move(places.valueX, 185);
    if (places.updateButton.x() >= 0)
        ui->Receive_2->move(places.updateButton);
    ui->toolButton_2->move(460, 160);
    ui->toolButton_3->move(460, 190);

    const bool localCompany = index == 1 || index == 2;
    const QList<QStringList>& company = g_LangTextsCompanyInfo;
    ui->pushButton_4->setText(LanguageTextInRow(company, 0, localCompany ? CompanyNameLocal : CompanyName,
                                                ui->pushButton_4->text()));
    ui->pushButton_3->setText(LanguageTextInRow(company, 0, localCompany ? CompanyWebLocal : CompanyWeb,
                                                ui->pushButton_3->text()));

    const QList<QStringList>& table = g_LangTextsFormSetting;
    const auto text = [&table, index](int k, const QString& current) {
        return LanguageTextInRow(table, index, k, current);
    };
    const std::pair<QLabel*, int> labels[] = {
        {ui->label, TextVersionLine},        {ui->label_2, TextLanguageCaption}, {ui->label_3, TextDeviceCaption},
        {ui->label_4, TextReceiverVersion},  {ui->label_6, TextMouseVersion},    {ui->label_8, TextPairingCaption},
        {ui->label_9, TextOtherCaption},     {ui->label_10, TextSessionStart},   {ui->label_11, TextLongRangeCaption},
        {ui->label_12, TextSleepCaption},    {ui->label_13, TextSleepExplanation}, {ui->label_14, TextLedCaption},
    };
    for (const auto& label : labels)
        label.first->setText(text(label.second, label.first->text()));
    ui->pushButton_2->setText(text(TextPairButton, ui->pushButton_2->text()));
    ui->Receive_2->setText(text(TextUpdateButton, ui->Receive_2->text()));
    ui->pushButton->setText(text(TextMouseSettings, ui->pushButton->text()));
    ui->textEdit->setText(text(TextLongRange, ui->textEdit->toHtml()));
    g_UpdateWarningText = text(TextWiredMode, QString());
    ui->NewLabel->setText(text(TextUpdateMessage, ui->NewLabel->toHtml()));
    for (int item = 0; item < SleepTimeCount; ++item)
        ui->frameClose->SetItemText(item, text(TextFirstSleepTime + item, ui->frameClose->ItemText(item)));
    QTextEdit* const ledModes[] = {ui->textEdit_2, ui->textEdit_3, ui->textEdit_4};
    for (int mode = 0; mode < 3; ++mode)
        ledModes[mode]->setText(text(TextFirstLedMode + mode, ledModes[mode]->toHtml()));
}
