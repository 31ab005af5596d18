#pragma once

#include <QSlider>

// A slider that jumps straight to the pressed position. The whole widget width
// is the scale (handle and groove margins are not taken into account), and the
// value is truncated, not rounded to the step.
//
// A press only moves the handle there (sliderMoved reports it) and the handle
// follows the mouse while the button is held; the value changes once, when the
// button is let go. A press never pages or repeats, so one press is at most
// one valueChanged, at the point the user chose.
class MySlider : public QSlider
{
public:
    explicit MySlider(QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The value under x on the whole-width scale, or the current position
    // when the slider has no width or no range.
    int PositionAt(int x) const;

    bool m_Pressed = false;
};
