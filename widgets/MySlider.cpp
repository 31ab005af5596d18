#include "widgets/MySlider.h"

#include <QMouseEvent>

MySlider::MySlider(QWidget* parent)
    : QSlider(parent)
{
}

int MySlider::PositionAt(int x) const
{
    const int width = this->width();
    if (width <= 0 || maximum() == minimum())
        return sliderPosition();
    const double fraction = static_cast<double>(x) / width;
    return static_cast<int>(minimum() + fraction * (static_cast<double>(maximum()) - minimum()));
}

void MySlider::mousePressEvent(QMouseEvent* event)
{
    // Any mouse button jumps. The base press is not used: on the groove it
    // would page towards the press and keep paging while the button is held.
    event->accept();
    if (m_Pressed)
        return;
    m_Pressed = true;
    setSliderDown(true);
    setSliderPosition(PositionAt(event->pos().x()));
}

void MySlider::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    if (m_Pressed)
        setSliderPosition(PositionAt(event->pos().x()));
}

void MySlider::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (!m_Pressed || event->buttons() != Qt::NoButton)
        return;
    m_Pressed = false;
    // Letting go takes the position as the value (valueChanged when it moved).
    setSliderDown(false);
}
