#include "pages/sensor/SensorDpiFrame.h"

#include "core/ConfigIni.h"
#include "device/DeviceState.h"
#include "device/Senders.h"
#include "pages/sensor/DpiSegmentRule.h"
#include "pages/sensor/SensorFrameStyles.h"
#include "widgets/FormStyles.h"
#include "widgets/MyConmboBox.h"
#include "widgets/MySlider.h"

#include <QButtonGroup>
#include <QLabel>
#include <QMouseEvent>
#include <QSpinBox>
#include <QToolButton>

namespace {

const char* const kFormLevelTexts[DpiLevelEntryCount] = {"100", "200", "200", "100", "100", "200", "100", "200"};
const char* const kDefaultLevelColors[DpiLevelEntryCount] = {"255,0,0",   "0,255,0",   "0,0,255", "255,0,255",
                                                             "0,255,255", "255,0,255", "159,0,0", "0,212,252"};

// The marker's top-left corner under each level.
const QPoint kMarkerPoints[DpiLevelEntryCount] = {{27, 154},  {118, 154}, {209, 154}, {300, 154},
                                                  {391, 154}, {483, 154}, {573, 154}, {664, 154}};
constexpr int kLevelPitch = 91;
// Drops left of this or right of the other return the marker.
constexpr int kDropLeftEdge = 15;
constexpr int kDropRightEdge = 706;
// With level count index i (0..6), a drop right of limit i lies beyond the last shown level.
const int kDropLimits[7] = {69, 160, 251, 342, 433, 524, 612};

// How far (from the current level's marker point) a drop must land to move by n levels.
struct DropWindow
{
    int shift;
    int from;
    int to;
};
const DropWindow kDropWindows[] = {
    {1, 78, 129},   {-1, -102, -51}, {2, 168, 214},  {-2, -192, -144}, {3, 264, 317},  {-3, -284, -236},
    {4, 361, 389},  {-4, -369, -327}, {5, 443, 495}, {-5, -465, -411}, {6, 538, 591}, {-6, -556, -504},
    {7, 623, 669},  {-7, -646, -599},
};

QString ModelGroup()
{
    return QStringLiteral("Drive") + QString::number(g_CurrentDevice.Snapshot().ModelIndex + 1);
}

} // namespace

void Ui_SensorDPI::setupUi(QFrame* frame)
{
    SetupOptionFrame(frame, "SensorDPI", QSize(728, 194));

    label = new QLabel(frame);
    label->setObjectName(QStringLiteral("label"));
    label->setGeometry(QRect(17, 0, 101, 21));
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    label->setFont(FormFont(11));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    ChooseEvent = new MyConmboBox(frame);
    ChooseEvent->setObjectName(QStringLiteral("ChooseEvent"));
    ChooseEvent->setGeometry(QRect(115, 1, 81, 21));
    ChooseEvent->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    ChooseEvent->setMinimumSize(QSize(0, 0));
    ChooseEvent->setFont(FormFont(10));
    ChooseEvent->setFocusPolicy(Qt::NoFocus);

    horizontalSliderC = new MySlider(frame);
    horizontalSliderC->setObjectName(QStringLiteral("horizontalSliderC"));
    horizontalSliderC->setGeometry(QRect(18, 56, 561, 25));
    horizontalSliderC->setMinimumSize(QSize(561, 25));
    horizontalSliderC->setMaximumSize(QSize(561, 25));
    SetupStepSlider(horizontalSliderC, 50, 32000);
    horizontalSliderC->setSingleStep(50);
    horizontalSliderC->setPageStep(50);
    horizontalSliderC->setValue(50);

    spinBoxA = new QSpinBox(frame);
    spinBoxA->setObjectName(QStringLiteral("spinBoxA"));
    spinBoxA->setGeometry(QRect(618, 56, 66, 20));
    spinBoxA->setFont(FormFont(10));
    SetupNumberDisplay(spinBoxA, 50, 100000);

    for (int k = 0; k < DpiLevelEntryCount; ++k) {
        QToolButton* level = new QToolButton(frame);
        level->setObjectName(DpiLevelsFrameBase::LevelButtonName(k));
        level->setGeometry(QRect(15 + kLevelPitch * k, 99, 54, 56));
        level->setFont(FormFont(10));
        level->setFocusPolicy(Qt::NoFocus);
        level->setCheckable(true);
        level->setAutoRaise(true);
        levelButtons[k] = level;

        QToolButton* colour = new QToolButton(frame);
        colour->setObjectName(DpiLevelsFrameBase::LevelButtonName(k) + QLatin1Char('A'));
        colour->setGeometry(QRect(17 + kLevelPitch * k, 141, 50, 12));
        colour->setFocusPolicy(Qt::NoFocus);
        colour->setCheckable(true);
        colour->setAutoRaise(false);
        colorButtons[k] = colour;
    }

    label_8 = new QLabel(frame);
    label_8->setObjectName(QStringLiteral("label_8"));
    label_8->setGeometry(QRect(103, 154, 30, 30));
    label_8->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    label_8->setMinimumSize(QSize(30, 30));
    label_8->setMaximumSize(QSize(30, 30));

    ReduceLevelA = new QToolButton(frame);
    ReduceLevelA->setObjectName(QStringLiteral("ReduceLevelA"));
    ReduceLevelA->setGeometry(QRect(598, 64, 14, 4));
    ReduceLevelA->setMinimumSize(QSize(14, 4));
    ReduceLevelA->setFocusPolicy(Qt::NoFocus);
    ReduceLevelA->setAutoRaise(true);

    AddLevelA = new QToolButton(frame);
    AddLevelA->setObjectName(QStringLiteral("AddLevelA"));
    AddLevelA->setGeometry(QRect(691, 59, 14, 14));
    AddLevelA->setMinimumSize(QSize(14, 14));
    AddLevelA->setMaximumSize(QSize(14, 14));
    AddLevelA->setFocusPolicy(Qt::NoFocus);
    AddLevelA->setAutoRaise(true);

    retranslateUi(frame);
}

void Ui_SensorDPI::retranslateUi(QFrame* frame)
{
    frame->setWindowTitle(QStringLiteral("Frame"));
    label->setText(QString::fromUtf8("DPI级数"));
    for (int k = 0; k < DpiLevelEntryCount; ++k) {
        levelButtons[k]->setText(QString::fromLatin1(kFormLevelTexts[k]));
        colorButtons[k]->setText(QString());
    }
    label_8->setText(QString());
    ReduceLevelA->setText(QStringLiteral("..."));
    AddLevelA->setText(QString());
}

SensorDPI::SensorDPI(QWidget* parent)
    : DpiLevelsFrameBase(parent)
    , ui(new Ui_SensorDPI)
    , m_DragArea(0, 0, 728, 194)
{
    for (int k = 0; k < DpiLevelEntryCount; ++k)
        m_LevelColors[k] = QString::fromLatin1(kDefaultLevelColors[k]);
    ui->setupUi(this);
    QMetaObject::connectSlotsByName(this);

    m_ButtonColor = OptionColorText(QStringLiteral("ButtonColor"));
    m_LevelGroup = new QButtonGroup(this);
    m_LevelGroup->setExclusive(true);
    m_ColorGroup = new QButtonGroup(this);
    m_ColorGroup->setExclusive(true);
    AttachCountWidgets(ui->label, ui->ChooseEvent);

    ui->label_8->setStyleSheet(
        "#label_8{border:0px;background-position:center;background-repeat:no-repeat;background-image: "
        + StyleUrl(m_PictureFolder + "Level.png") + ";}#label_8:hover{border:0px;background-position:center;"
        "background-repeat:no-repeat;background-image: " + StyleUrl(m_PictureFolder + "LevelHover.png") + ";}");
    ui->horizontalSliderC->setStyleSheet(
        GrooveSliderStyle(m_PictureFolder, OptionColorText(QStringLiteral("SliderColor")), QSize(18, 16), -3));
    ui->spinBoxA->setStyleSheet(BorderedNumberStyle(OptionColorText(QStringLiteral("LinEditColorSecond"))));
    ui->ReduceLevelA->setStyleSheet(StepButtonStyle(QStringLiteral("ReduceLevelA"), m_PictureFolder, "Reduce.png"));
    ui->AddLevelA->setStyleSheet(StepButtonStyle(QStringLiteral("AddLevelA"), m_PictureFolder, "Add.png"));
    for (int k = 0; k < DpiLevelEntryCount; ++k) {
        ShowSelectedLevelButton(k, false);
        // Red until the sensor page shows the levels' own colours.
        ui->colorButtons[k]->setStyleSheet(
            "#" + ui->colorButtons[k]->objectName()
            + "{border:0px;border-radius:3px;background-position:center;background-repeat:no-repeat;"
              "background-color: rgb(255, 0, 0);background-image: " + StyleUrl(m_PictureFolder + "MinB.png") + ";}");
    }
    QWidget* const keepPlace[] = {ui->horizontalSliderC, ui->spinBoxA, ui->ReduceLevelA, ui->AddLevelA};
    for (QWidget* widget : keepPlace) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
    }
    for (int k = 0; k < DpiLevelEntryCount; ++k) {
        QSizePolicy policy = ui->levelButtons[k]->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        ui->levelButtons[k]->setSizePolicy(policy);
        m_LevelGeometry[k] = ui->levelButtons[k]->geometry();
        m_ColorGeometry[k] = ui->colorButtons[k]->geometry();
        m_LevelGroup->addButton(ui->levelButtons[k]);
        m_ColorGroup->addButton(ui->colorButtons[k]);
    }
}

SensorDPI::~SensorDPI()
{
    delete ui;
}

// ---- Operations of the sensor page ----

void SensorDPI::LayoutForLevelCount(int index)
{
    if (!IsLevel(index))
        return;
    for (int k = 0; k < DpiLevelEntryCount; ++k) {
        ui->levelButtons[k]->setVisible(k <= index);
        ui->colorButtons[k]->setVisible(k <= index);
    }
}

bool SensorDPI::BlockSliderSignals(bool block)
{
    return ui->horizontalSliderC->blockSignals(block);
}

void SensorDPI::SetSliderEnabled(bool enabled)
{
    ui->horizontalSliderC->setEnabled(enabled);
}

void SensorDPI::SetSliderMaximum(int value)
{
    ui->horizontalSliderC->setMaximum(value);
}

void SensorDPI::SetSliderMinimum(int value)
{
    ui->horizontalSliderC->setMinimum(value);
}

int SensorDPI::SliderMaximum() const
{
    return ui->horizontalSliderC->maximum();
}

void SensorDPI::SetSliderValue(int value)
{
    ui->horizontalSliderC->setValue(value);
}

void SensorDPI::SetSpinValue(int value)
{
    ui->spinBoxA->setValue(value);
}

void SensorDPI::SetLevelText(int level, const QString& text)
{
    if (IsLevel(level))
        ui->levelButtons[level]->setText(text);
}

void SensorDPI::CheckLevelButton(int level)
{
    if (IsLevel(level))
        ui->levelButtons[level]->setChecked(true);
}

void SensorDPI::MoveMarkerToLevel(int levelNumber)
{
    if (levelNumber >= 1 && levelNumber <= DpiLevelEntryCount)
        ui->label_8->move(kMarkerPoints[levelNumber - 1]);
}

void SensorDPI::RestyleAllLevelButtons(int current)
{
    for (int k = 0; k < DpiLevelEntryCount; ++k) {
        if (k == current)
            ShowColorButton(k, true, false);
        else
            ShowColorButton(k, false, true);
    }
}

void SensorDPI::RestyleLevelButton(int level)
{
    if (IsLevel(level))
        ShowColorButton(level, ui->colorButtons[level]->isChecked(), false);
}

void SensorDPI::LoadDefaultLevels()
{
    const QString group = ModelGroup();
    const QStringList colours = ConfigIni::GetInstance()->ValueList(group, QStringLiteral("DPIColor"));
    // Whole triplets only: an incomplete last one is left out.
    for (int k = 0; k < DpiLevelEntryCount && 3 * k + 2 < colours.size(); ++k)
        m_LevelColors[k] = colours.at(3 * k) + "," + colours.at(3 * k + 1) + "," + colours.at(3 * k + 2);
    const QStringList grades = ConfigIni::GetInstance()->ValueList(group, QStringLiteral("DPIGrade"));
    if (grades.size() < DpiLevelEntryCount)
        return;
    for (int k = 0; k < DpiLevelEntryCount; ++k) {
        ShowColorButton(k, false, true);
        ui->levelButtons[k]->setText(grades.at(k));
    }
}

void StoreLevelColor(SensorDPI* frame, int level, QString& colour)
{
    if (level < 0 || level >= DpiLevelEntryCount)
        return;
    const auto component = [&colour](int at) { return QString::number(colour.mid(at, 2).toInt(nullptr, 16)); };
    colour = component(1) + "," + component(3) + "," + component(5);
    frame->m_LevelColors[level] = colour;
}

// ---- Looks ----

void SensorDPI::ShowSelectedLevelButton(int level, bool selected)
{
    const QRect normal = m_LevelGeometry[level];
    QToolButton* button = ui->levelButtons[level];
    if (!normal.isNull())
        button->setGeometry(selected ? QRect(normal.topLeft() - QPoint(7, 7), QSize(68, 70)) : normal);
    button->setStyleSheet("QToolButton{border:0px;border-radius:3px;background-position:center;"
                          "background-repeat:no-repeat;color: rgb("
                          + m_ButtonColor + ";);background-image: "
                          + StyleUrl(m_PictureFolder + (selected ? "MaxA.png" : "MinA.png")) + ";}");
}

void SensorDPI::ShowColorButton(int level, bool selected, bool withGeometry)
{
    const QRect normal = m_ColorGeometry[level];
    if (withGeometry)
        ui->colorButtons[level]->setGeometry(selected ? QRect(normal.topLeft() + QPoint(-8, 6), QSize(66, 14))
                                                      : normal);
    ui->colorButtons[level]->setStyleSheet(
        "QToolButton{border:0px;border-radius:3px;background-position:center;background-repeat:no-repeat;"
        "background-color:rgb("
        + m_LevelColors[level] + ");background-image: "
        + StyleUrl(m_PictureFolder + (selected ? "MaxB.png" : "MinB.png")) + ";}");
}

// ---- Levels ----

int SensorDPI::LevelValue(int level) const
{
    return ui->levelButtons[level]->text().toInt();
}

int SensorDPI::CheckedLevel() const
{
    return m_LevelGroup->buttons().indexOf(m_LevelGroup->checkedButton());
}

void SensorDPI::LevelToggled(int level, bool checked)
{
    ShowSelectedLevelButton(level, checked);
    if (!checked)
        return;
    const bool sending = MaySend();
    if (sending && !SendCurrentDPILevel(level)) {
        // The device keeps its level: the page shows that one again.
        ShowLevelAgain(m_CurrentLevel);
        return;
    }
    ui->colorButtons[level]->setChecked(true);
    if (!sending)
        return;
    m_CurrentLevel = level;
    ui->label_8->move(kMarkerPoints[level]);
}

void SensorDPI::ShowLevelAgain(int level)
{
    ShowingOnly quiet(this);
    ui->levelButtons[level]->setChecked(true);
    ui->label_8->move(kMarkerPoints[level]);
}

void SensorDPI::ColorToggled(int level, bool checked)
{
    ShowColorButton(level, checked, true);
    if (!checked)
        return;
    ui->levelButtons[level]->setChecked(true);
    // Refused by the device: another level is shown again.
    if (!ui->levelButtons[level]->isChecked())
        return;
    // The level's own value goes onto the slider without being sent back. Once
    // it is there the latch is set again, also when the slider already stood
    // at that value, so the user's next change is sent.
    m_ChangeLatch = false;
    ui->horizontalSliderC->setValue(LevelValue(level));
    m_ChangeLatch = true;
}

void SensorDPI::LevelClicked(int level)
{
    if (ui->levelButtons[level]->isChecked())
        ui->horizontalSliderC->setValue(LevelValue(level));
}

void SensorDPI::ColorClicked(int level)
{
    if (ui->colorButtons[level]->isChecked())
        ShowColorDialog(ColorOfText(m_LevelColors[level]));
}

void SensorDPI::SetColor(const QColor& color)
{
    const int level = m_ColorGroup->buttons().indexOf(m_ColorGroup->checkedButton());
    if (!IsLevel(level))
        return;
    // A colour the device did not take is not shown.
    if (MaySend() && !SendDPILevelColor(level, color.red(), color.green(), color.blue()))
        return;
    m_LevelColors[level] = ColorText(color);
    RestyleLevelButton(level);
}

// ---- DPI value ----

void SensorDPI::on_horizontalSliderC_valueChanged(int value)
{
    const int level = CheckedLevel();
    const int shown = IsLevel(level) ? LevelValue(level) : ui->spinBoxA->value();
    int dpi = value;
    if (!TakeSliderValue(ui->horizontalSliderC, ui->spinBoxA, dpi, shown))
        return;
    if (IsLevel(level))
        ui->levelButtons[level]->setText(QString::number(dpi));
    if (SendLevelValue(level, dpi))
        return;
    ShowSliderValue(ui->horizontalSliderC, ui->spinBoxA, shown);
    ui->levelButtons[level]->setText(QString::number(shown));
}

void SensorDPI::on_horizontalSliderC_sliderMoved(int position)
{
    int pageStep = ui->horizontalSliderC->pageStep();
    ui->spinBoxA->setValue(KeptLevelDpi(position, &pageStep));
    ui->horizontalSliderC->setPageStep(pageStep);
}

void SensorDPI::on_ReduceLevelA_clicked()
{
    if (g_SendEnabled && !CurrentDeviceOnline()) {
        RaiseOfflineNotice();
        return;
    }
    ui->horizontalSliderC->setValue(StepDpiDown(ui->spinBoxA->value()));
}

void SensorDPI::on_AddLevelA_clicked()
{
    if (g_SendEnabled && !CurrentDeviceOnline()) {
        RaiseOfflineNotice();
        return;
    }
    ui->horizontalSliderC->setValue(StepDpiUp(ui->spinBoxA->value()));
}

// ---- Level count ----

void SensorDPI::ExchangeLevels(int newLast, int current)
{
    const int currentValue = LevelValue(current);
    const QString currentColour = m_LevelColors[current];
    const int lastValue = LevelValue(newLast);
    const QString lastColour = m_LevelColors[newLast];

    m_LevelColors[current] = lastColour;
    RestyleLevelButton(current);
    ui->levelButtons[current]->setText(QString::number(lastValue));

    m_LevelColors[newLast] = currentColour;
    RestyleLevelButton(newLast);
    ui->label_8->move(kMarkerPoints[newLast]);
    ui->levelButtons[newLast]->setText(QString::number(currentValue));
    {
        ShowingOnly quiet(this);
        ui->levelButtons[newLast]->setChecked(true);
    }

    m_LevelCount = newLast + 1;
    m_CurrentLevel = newLast;
}

// ---- Marker drag ----

void SensorDPI::mousePressEvent(QMouseEvent* event)
{
    if (event->buttons() == Qt::NoButton || !ui->label_8->geometry().contains(event->pos()))
        return;
    m_Dragging = true;
    m_GrabOffset = event->pos() - ui->label_8->pos();
}

void SensorDPI::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() == Qt::NoButton || !m_Dragging)
        return;
    if (m_DragArea.contains(event->pos()))
        ui->label_8->move(event->pos() - m_GrabOffset);
    else
        MarkerReleased(event->pos());
}

void SensorDPI::mouseReleaseEvent(QMouseEvent* event)
{
    MarkerReleased(event->pos());
}

void SensorDPI::MarkerReleased(const QPoint& point)
{
    m_Dragging = false;
    const QPoint home = kMarkerPoints[m_CurrentLevel];
    if (!ui->label_8->geometry().contains(point) || point.x() < kDropLeftEdge || point.x() > kDropRightEdge) {
        ui->label_8->move(home);
        return;
    }
    const int countIndex = ui->ChooseEvent->currentIndex();
    if (countIndex >= 0 && countIndex <= 6 && point.x() > kDropLimits[countIndex]) {
        // Beyond the last shown level: the current level stays, and is told again.
        ui->label_8->move(home);
        if (g_SendEnabled)
            SendCurrentDPILevel(m_CurrentLevel);
        return;
    }
    const int distance = point.x() - home.x();
    for (const DropWindow& window : kDropWindows) {
        if (distance < window.from || distance > window.to || !IsLevel(m_CurrentLevel + window.shift))
            continue;
        ui->label_8->move(home);
        SelectLevelFromMarker(m_CurrentLevel + window.shift);
        return;
    }
    ui->label_8->move(home);
}

void SensorDPI::SelectLevelFromMarker(int level)
{
    // The latch is left alone: a level that is taken puts its own value on
    // the slider through its colour button, and a refused one leaves the
    // frame as it was, so the user's next change is sent.
    if (!MaySend()) {
        m_CurrentLevel = level;
        ui->label_8->move(kMarkerPoints[level]);
    }
    // Sending, the level's button tells the device once; a level the device
    // does not take returns the marker to the one it holds.
    ui->levelButtons[level]->setChecked(true);
}

// ---- Slots by name: one family per kind of button ----

void SensorDPI::on_BlueButton_toggled(bool checked) { LevelToggled(0, checked); }
void SensorDPI::on_BrightRedButton_toggled(bool checked) { LevelToggled(1, checked); }
void SensorDPI::on_RedButton_toggled(bool checked) { LevelToggled(2, checked); }
void SensorDPI::on_YellowButton_toggled(bool checked) { LevelToggled(3, checked); }
void SensorDPI::on_GreenButton_toggled(bool checked) { LevelToggled(4, checked); }
void SensorDPI::on_PurpleButton_toggled(bool checked) { LevelToggled(5, checked); }
void SensorDPI::on_LightBlueButton_toggled(bool checked) { LevelToggled(6, checked); }
void SensorDPI::on_LightYellowButton_toggled(bool checked) { LevelToggled(7, checked); }

void SensorDPI::on_BlueButtonA_toggled(bool checked) { ColorToggled(0, checked); }
void SensorDPI::on_BrightRedButtonA_toggled(bool checked) { ColorToggled(1, checked); }
void SensorDPI::on_RedButtonA_toggled(bool checked) { ColorToggled(2, checked); }
void SensorDPI::on_YellowButtonA_toggled(bool checked) { ColorToggled(3, checked); }
void SensorDPI::on_GreenButtonA_toggled(bool checked) { ColorToggled(4, checked); }
void SensorDPI::on_PurpleButtonA_toggled(bool checked) { ColorToggled(5, checked); }
void SensorDPI::on_LightBlueButtonA_toggled(bool checked) { ColorToggled(6, checked); }
void SensorDPI::on_LightYellowButtonA_toggled(bool checked) { ColorToggled(7, checked); }

void SensorDPI::on_BlueButton_clicked() { LevelClicked(0); }
void SensorDPI::on_BrightRedButton_clicked() { LevelClicked(1); }
void SensorDPI::on_RedButton_clicked() { LevelClicked(2); }
void SensorDPI::on_YellowButton_clicked() { LevelClicked(3); }
void SensorDPI::on_GreenButton_clicked() { LevelClicked(4); }
void SensorDPI::on_PurpleButton_clicked() { LevelClicked(5); }
void SensorDPI::on_LightBlueButton_clicked() { LevelClicked(6); }
void SensorDPI::on_LightYellowButton_clicked() { LevelClicked(7); }

void SensorDPI::on_BlueButtonA_clicked() { ColorClicked(0); }
void SensorDPI::on_BrightRedButtonA_clicked() { ColorClicked(1); }
void SensorDPI::on_RedButtonA_clicked() { ColorClicked(2); }
void SensorDPI::on_YellowButtonA_clicked() { ColorClicked(3); }
void SensorDPI::on_GreenButtonA_clicked() { ColorClicked(4); }
void SensorDPI::on_PurpleButtonA_clicked() { ColorClicked(5); }
void SensorDPI::on_LightBlueButtonA_clicked() { ColorClicked(6); }
void SensorDPI::on_LightYellowButtonA_clicked() { ColorClicked(7); }
