#include "lighting/LightControls.h"

#include "core/LanguageTables.h"
#include "lighting/FormParts.h"
#include "platform/ScreenAccess.h"
#include "widgets/MyConmboBox.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

#include <algorithm>

namespace {

const QColor kPresetColours[PresetColourCount] = {
    {255, 0, 0},   {0, 255, 255},   {0, 255, 0},    {255, 0, 255},  {255, 255, 0},
    {255, 80, 0},  {0, 0, 255},     {227, 0, 127},  {46, 166, 223}, {96, 25, 133},
    {255, 255, 255}, {139, 178, 36}, {255, 155, 51}, {208, 113, 173},
};

const char* const kWhiteText = "color: rgb(255, 255, 255);";

QLabel* TextLabel(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setFont(FormFont(11));
    label->setStyleSheet(kWhiteText);
    return label;
}

QFrame* Line(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setGeometry(geometry);
    line->setStyleSheet(QStringLiteral("background-color:  rgb(57, 57, 57);"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QSlider* Slider(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* slider = new QSlider(parent);
    slider->setObjectName(QString::fromLatin1(name));
    slider->setGeometry(geometry);
    QFont font;
    font.setFamily(QStringLiteral("Microsoft YaHei UI Light"));
    slider->setFont(font);
    slider->setFocusPolicy(Qt::NoFocus);
    slider->setMinimum(1);
    slider->setMaximum(10);
    slider->setPageStep(1);
    slider->setTracking(false);
    slider->setOrientation(Qt::Horizontal);
    return slider;
}

QToolButton* StepButton(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setMinimumSize(geometry.size());
    button->setMaximumSize(geometry.size());
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    return button;
}

QSpinBox* ColourSpinBox(QWidget* parent, const char* name, const QRect& geometry, int pointSize)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(geometry);
    box->setFont(FormFont(pointSize));
    box->setFocusPolicy(Qt::ClickFocus);
    box->setStyleSheet(QStringLiteral("#%1{background-color: rgb(80, 80, 80);color: rgb(255, 255, 255);}")
                           .arg(QString::fromLatin1(name)));
    box->setAlignment(Qt::AlignCenter);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setKeyboardTracking(true);
    box->setRange(0, 255);
    return box;
}

// Whether point (in owner's coordinates) lies on widget.
bool PressIsOn(QWidget* owner, QWidget* widget, const QPoint& point)
{
    return widget->rect().contains(widget->mapFrom(owner, point));
}

} // namespace

QColor PresetColour(int index)
{
    return index >= 0 && index < PresetColourCount ? kPresetColours[index] : QColor();
}

QString ColourPreviewStyle(const QColor& colour)
{
    return QStringLiteral("QLabel{background-color: rgb(%1,%2,%3);border: 2px solid  rgb(220,220,220);}")
        .arg(colour.red())
        .arg(colour.green())
        .arg(colour.blue());
}

void LightControlsForm::setupLightControls(QWidget* container, const LightControlsGeometry& geometry)
{
    line = Line(container, "line", geometry.line);
    line_2 = Line(container, "line_2", geometry.line_2);

    LightMod = new MyConmboBox(container);
    LightMod->setObjectName(QStringLiteral("LightMod"));
    LightMod->setGeometry(geometry.LightMod);
    LightMod->setMinimumSize(geometry.LightMod.size());
    LightMod->setMaximumSize(geometry.LightMod.size());
    LightMod->setFont(FormFont(11));
    LightMod->setFocusPolicy(Qt::NoFocus);

    label = TextLabel(container, "label", geometry.label);
    label_2 = TextLabel(container, "label_2", geometry.label_2);
    horizontalLight = Slider(container, "horizontalLight", geometry.horizontalLight);
    horizontalLight->setMinimumSize(QSize(25, 25));
    horizontalLight->setMaximumSize(QSize(316, 22));
    label_3 = TextLabel(container, "label_3", geometry.label_3);
    horizontalSpeed = Slider(container, "horizontalSpeed", geometry.horizontalSpeed);

    label_8 = TextLabel(container, "label_8", geometry.label_8);
    labelPreView = new QLabel(container);
    labelPreView->setObjectName(QStringLiteral("labelPreView"));
    labelPreView->setGeometry(geometry.labelPreView);
    labelPreView->setMinimumSize(geometry.labelPreView.size());
    labelPreView->setMaximumSize(geometry.labelPreView.size());
    labelPreView->setScaledContents(true);
    labelPreView->setAlignment(Qt::AlignCenter);

    label_11 = TextLabel(container, "label_11", geometry.label_11);
    ReduceR = StepButton(container, "ReduceR", geometry.ReduceR);
    RSpinBox = ColourSpinBox(container, "RSpinBox", geometry.RSpinBox, 10);
    AddR = StepButton(container, "AddR", geometry.AddR);
    label_10 = TextLabel(container, "label_10", geometry.label_10);
    ReduceG = StepButton(container, "ReduceG", geometry.ReduceG);
    GSpinBox = ColourSpinBox(container, "GSpinBox", geometry.GSpinBox, 11);
    AddG = StepButton(container, "AddG", geometry.AddG);
    label_12 = TextLabel(container, "label_12", geometry.label_12);
    label_12->setMinimumSize(geometry.label_12.size());
    label_12->setMaximumSize(geometry.label_12.size());
    ReduceB = StepButton(container, "ReduceB", geometry.ReduceB);
    BSpinBox = ColourSpinBox(container, "BSpinBox", geometry.BSpinBox, 10);
    AddB = StepButton(container, "AddB", geometry.AddB);

    label_13 = TextLabel(container, "label_13", geometry.label_13);
    for (int i = 0; i < PresetColourCount; ++i) {
        const int row = i / 7;
        const int column = i % 7;
        auto* preset = new QToolButton(container);
        preset->setObjectName(QStringLiteral("toolButtonColor%1").arg(QChar('A' + i)));
        preset->setGeometry(QRect(geometry.firstPreset
                                      + QPoint(column * geometry.presetPitch.width(), row * geometry.presetPitch.height()),
                                  geometry.presetSize));
        preset->setMinimumSize(geometry.presetSize);
        preset->setMaximumSize(geometry.presetSize);
        preset->setFocusPolicy(Qt::NoFocus);
        preset->setCheckable(true);
        if (i == 0)
            preset->setIconSize(QSize(30, 30));
        presets[i] = preset;
    }

    label_6 = TextLabel(container, "label_6", geometry.label_6);
    label_7 = new QLabel(container);
    label_7->setObjectName(QStringLiteral("label_7"));
    label_7->setGeometry(geometry.label_7);
    label_7->setMinimumSize(geometry.label_7.size());
}

void LightControlsForm::retranslateLightControls()
{
    LightMod->clear();
    LightMod->insertItems(0, {QString::fromUtf8("关闭"), QString::fromUtf8("彩色流动"), QString::fromUtf8("单色呼吸"),
                              QString::fromUtf8("混色常亮"), QString::fromUtf8("霓虹"), QString::fromUtf8("混彩呼吸")});
    label->setText(QString::fromUtf8("灯光模式"));
    label_2->setText(QString::fromUtf8("亮度"));
    label_3->setText(QString::fromUtf8("速度"));
    label_6->setText(QString::fromUtf8("自定义颜色"));
    label_7->setText(QString());
    label_8->setText(QString::fromUtf8("预览"));
    labelPreView->setText(QString());
    label_10->setText(QStringLiteral("G:"));
    label_11->setText(QStringLiteral("R:"));
    label_12->setText(QStringLiteral("B:"));
    label_13->setText(QString::fromUtf8("预设颜色"));
    for (QToolButton* button : {ReduceR, ReduceG, ReduceB})
        button->setText(QStringLiteral("..."));
    for (QToolButton* button : {AddR, AddG, AddB})
        button->setText(QString());
    for (QToolButton* preset : presets)
        preset->setText(QString());
}

void LightControlsForm::retranslateFromTable(const QList<QStringList>& table, int row,
                                             const LightControlsTextPositions& positions)
{
    const auto text = [&](int k, const QString& current) { return LanguageTextInRow(table, row, k, current); };
    for (int i = 0; i < LightEffectCount; ++i)
        LightMod->setItemText(i, text(positions.firstEffect + i, LightMod->itemText(i)));
    const QPair<QLabel*, int> labels[] = {
        {label, positions.title},         {label_2, positions.brightness}, {label_3, positions.speed},
        {label_6, positions.customColour}, {label_8, positions.preview},    {label_13, positions.presets},
        {label_11, positions.red},         {label_10, positions.green},     {label_12, positions.blue},
    };
    for (const auto& entry : labels)
        entry.first->setText(text(entry.second, entry.first->text()));
}

QList<QWidget*> LightControlsForm::ColourGroup() const
{
    QList<QWidget*> group = {label_6, label_7, label_8, labelPreView, label_10, label_11, label_12,
                             ReduceR, ReduceG, ReduceB, RSpinBox, GSpinBox, BSpinBox, AddR, AddG, AddB, label_13};
    for (QToolButton* preset : presets)
        group << preset;
    return group;
}

QColor LightControlsForm::SpinBoxColour() const
{
    return QColor(RSpinBox->value(), GSpinBox->value(), BSpinBox->value());
}

void LightControlsForm::SetSpinBoxColour(const QColor& colour)
{
    RSpinBox->setValue(colour.red());
    GSpinBox->setValue(colour.green());
    BSpinBox->setValue(colour.blue());
}

void LightControlsForm::ShowPreviewColour(const QColor& colour)
{
    labelPreView->setStyleSheet(ColourPreviewStyle(colour));
}

void LightControlsForm::ShowForEffect(int index, const QList<QWidget*>& brightness, const QList<QWidget*>& speed)
{
    // Which of: line, line_2, colour group, brightness, speed.
    struct Shown
    {
        bool line, line_2, colour, brightness, speed;
    };
    Shown shown{};
    switch (index) {
    case 0: shown = {true, true, false, false, false}; break;
    case 1:
    case 4:
    case 5: shown = {false, false, false, true, true}; break;
    case 2: shown = {false, false, true, true, true}; break;
    case 3: shown = {false, true, true, true, false}; break;
    default: return;
    }
    line->setVisible(shown.line);
    line_2->setVisible(shown.line_2);
    for (QWidget* widget : ColourGroup())
        widget->setVisible(shown.colour);
    for (QWidget* widget : brightness)
        widget->setVisible(shown.brightness);
    for (QWidget* widget : speed)
        widget->setVisible(shown.speed);
}

std::optional<QColor> PickScreenColour()
{
    const ScreenAccess& screen = CurrentScreenAccess();
    const double ratio = screen.DesktopPixelRatio();
    const QPoint cursor = screen.CursorPosition();
    // Truncated toward zero, as the grab takes whole pixels.
    const int x = static_cast<int>(cursor.x() * ratio);
    const int y = static_cast<int>(cursor.y() * ratio);
    const QImage image = screen.GrabPrimaryScreen(QRect(x, y, 2, 2));
    if (image.isNull() || !image.valid(0, 0))
        return std::nullopt;
    return QColor(image.pixel(0, 0));
}

void HandleColourBoardPress(QWidget* owner, LightControlsForm& form, QMouseEvent* event,
                            const QList<QList<QSpinBox*>>& focusGroups, const std::function<bool()>& mayPick)
{
    // A double click comes here as its own event type and picks nothing more.
    if (event->type() != QEvent::MouseButtonPress)
        return;
    const QPoint point = event->pos();
    for (const QList<QSpinBox*>& group : focusGroups) {
        const bool onGroup = std::any_of(group.begin(), group.end(),
                                         [&](QSpinBox* box) { return PressIsOn(owner, box, point); });
        if (onGroup)
            continue;
        for (QSpinBox* box : group)
            box->clearFocus();
        owner->setFocus(Qt::OtherFocusReason);
    }
    // The board is hidden with the colour controls for the effects that use no colour.
    if (!form.label_7->isVisibleTo(owner) || !PressIsOn(owner, form.label_7, point))
        return;
    if (!mayPick())
        return;
    const std::optional<QColor> colour = PickScreenColour();
    if (!colour)
        return;
    form.SetSpinBoxColour(*colour);
    form.ShowPreviewColour(*colour);
}
