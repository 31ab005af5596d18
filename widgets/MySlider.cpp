#include "widgets/MySlider.h"

#include <QMouseEvent>

MySlider::MySlider(QWidget* parent)
    : QSlider(parent)
{
}

void MySlider::mousePressEvent(QMouseEvent* event)
{
    QSlider::mousePressEvent(event);
    // Any mouse button jumps. A slider without width or without range has no
    // position to jump to.
    const int width = this->width();
    if (width <= 0 || maximum() == minimum())
        return;
    const double fraction = static_cast<double>(event->pos().x()) / width;
    setValue(static_cast<int>(minimum() + fraction * (static_cast<double>(maximum()) - minimum())));
}
