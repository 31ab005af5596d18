#pragma once

#include <QFont>
#include "widgets/FormStyles.h"
#include <QSize>
#include <QString>

class QAbstractSlider;
class QFrame;
class QSpinBox;

// Pieces that the sensor page's option frames and DPI frames share: their
// font, the frame set-up of their forms, and the style sheets that recur
// among them. Folders end in "/"; colour texts are "r,g,b" (OptionColorText).

// "微软雅黑" at a point size.

// An option frame as its form builds it: the object name when it has none yet,
// the size, fixed size policy (unless asked otherwise), styled panel, raised,
// window title "Frame".
void SetupOptionFrame(QFrame* frame, const char* objectName, QSize size, bool fixedSizePolicy = true);

// A horizontal slider of the forms: range, page step 1 (or as given), no
// keyboard focus, tracking off, so that only a release (or a click or a wheel
// turn) changes the value.
void SetupStepSlider(QAbstractSlider* slider, int minimum, int maximum);

// A read-only number display: centred, no buttons, no keyboard focus, no
// wrapping, not accelerated.
void SetupNumberDisplay(QSpinBox* box, int minimum, int maximum);

// The slider with a white 5 px groove, the part before the handle in the
// slider colour and the handle drawn with "HuaKuai.png"; the handle's size
// and its side margins vary by form.
QString GrooveSliderStyle(const QString& folder, const QString& sliderColor, QSize handle, int sideMargin);

// The thin slider of the debounce and sleep-time variants: a 2 px groove and
// a tall narrow "HuaKuai.png" handle.
QString ThinSliderStyle(const QString& folder, const QString& sliderColor);

// A check box with its text in a colour and the indicator drawn with
// "LODCheck.png" when checked and "LOD.png" when not.
QString IndicatorCheckBoxStyle(const QString& folder, const QString& colorText);

// A borderless number on a transparent background.
QString PlainNumberStyle(const QString& colorText);
// A number on a transparent background with a grey 1 px border, also hovered.
QString BorderedNumberStyle(const QString& colorText);

// A picture button that draws "Reduce.png" or "Add.png", selected by its object name.
QString StepButtonStyle(const QString& objectName, const QString& folder, const QString& picture);
