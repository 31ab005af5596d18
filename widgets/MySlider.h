#pragma once

#include <QSlider>

// A slider that jumps straight to the pressed position. The whole widget width
// is the scale (handle and groove margins are not taken into account), and the
// value is truncated, not rounded to the step.
class MySlider : public QSlider
{
public:
    explicit MySlider(QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
