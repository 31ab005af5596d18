#pragma once

#include <QColor>
#include <QList>
#include <QStringList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <functional>
#include <optional>

class MyConmboBox;
class QFrame;
class QLabel;
class QMouseEvent;
class QSlider;
class QSpinBox;
class QToolButton;
class QWidget;

// The light controls that the lighting page and the light-mode dialog share:
// the effect list, brightness and speed sliders, the red, green and blue spin
// boxes with their plus and minus buttons, fourteen preset colours, the colour
// preview and the colour board from which a colour is picked off the screen.

constexpr int PresetColourCount = 14;
// Effects of the effect list: 0 off, 1 colour flow, 2 single-colour
// breathing, 3 mixed colours steady, 4 neon, 5 mixed-colour breathing.
constexpr int LightEffectCount = 6;

// Preset i (0..13 for toolButtonColorA..N).
QColor PresetColour(int index);

// The preview's style for a colour.
QString ColourPreviewStyle(const QColor& colour);

// Where the shared widgets lie in their container (x, y, width, height).
struct LightControlsGeometry
{
    QRect label, LightMod, label_2, horizontalLight, label_3, horizontalSpeed, line, line_2;
    QRect label_6, label_7, label_8, labelPreView, label_10, label_11, label_12, label_13;
    QRect ReduceR, RSpinBox, AddR, ReduceG, GSpinBox, AddG, ReduceB, BSpinBox, AddB;
    QPoint firstPreset;  // toolButtonColorA; B..G follow to the right, H..N in the row below
    QSize presetPitch;   // from one preset to the next, and from row to row
    QSize presetSize;
};

// Where a language section holds the texts of the shared widgets; the six
// effect texts follow one another from firstEffect on.
struct LightControlsTextPositions
{
    int title, firstEffect, brightness, speed, customColour, preview, presets, red, green, blue;
};

// The shared widgets of a form, by object name.
struct LightControlsForm
{
    QFrame* line = nullptr;
    QFrame* line_2 = nullptr;
    QLabel* label = nullptr;
    MyConmboBox* LightMod = nullptr;
    QLabel* label_2 = nullptr;
    QSlider* horizontalLight = nullptr;
    QLabel* label_3 = nullptr;
    QSlider* horizontalSpeed = nullptr;
    QLabel* label_6 = nullptr;
    QLabel* label_7 = nullptr;
    QLabel* label_8 = nullptr;
    QLabel* labelPreView = nullptr;
    QLabel* label_10 = nullptr;
    QLabel* label_11 = nullptr;
    QLabel* label_12 = nullptr;
    QLabel* label_13 = nullptr;
    QToolButton* ReduceR = nullptr;
    QToolButton* ReduceG = nullptr;
    QToolButton* ReduceB = nullptr;
    QToolButton* AddR = nullptr;
    QToolButton* AddG = nullptr;
    QToolButton* AddB = nullptr;
    QSpinBox* RSpinBox = nullptr;
    QSpinBox* GSpinBox = nullptr;
    QSpinBox* BSpinBox = nullptr;
    std::array<QToolButton*, PresetColourCount> presets{}; // toolButtonColorA..N

    // Creates the widgets in container, as both forms build them.
    void setupLightControls(QWidget* container, const LightControlsGeometry& geometry);
    // Their default texts; the effect list gets its six items.
    void retranslateLightControls();
    // The texts of row `row` of a language table; a text the table lacks
    // leaves the widget's text as it is.
    void retranslateFromTable(const QList<QStringList>& table, int row, const LightControlsTextPositions& positions);

    // The widgets shown only for the effects that use a colour.
    QList<QWidget*> ColourGroup() const;

    QColor SpinBoxColour() const;
    // Red, then green, then blue, signals not blocked: each spin box whose
    // value changes reports it.
    void SetSpinBoxColour(const QColor& colour);
    void ShowPreviewColour(const QColor& colour);

    // Shows the widgets that effect index uses (0 off, 1..5); another index
    // changes nothing. brightness and speed are the slider's widgets.
    void ShowForEffect(int index, const QList<QWidget*>& brightness, const QList<QWidget*>& speed);
};

// The colour under the pointer, read from the screen; none when the screen
// gives no usable pixel.
std::optional<QColor> PickScreenColour();

// A mouse press on owner (a page or dialog holding form): the focus leaves
// each group of spin boxes the press missed, and a press on the visible
// colour board takes the colour under the pointer into the spin boxes and the
// preview, once mayPick allows it.
void HandleColourBoardPress(QWidget* owner, LightControlsForm& form, QMouseEvent* event,
                            const QList<QList<QSpinBox*>>& focusGroups, const std::function<bool()>& mayPick);
