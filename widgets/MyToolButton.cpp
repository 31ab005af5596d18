#include "widgets/MyToolButton.h"

#include <QMouseEvent>

namespace {
void ClickOnLeftButton(MyToolButton* button, QMouseEvent* event, bool secondPress)
{
    if (event->button() != Qt::LeftButton)
        return;
    button->setChecked(true);
    emit button->clicked(secondPress);
}
}

MyToolButton::MyToolButton(QWidget* parent)
    : QToolButton(parent)
{
}

void MyToolButton::mousePressEvent(QMouseEvent* event)
{
    ClickOnLeftButton(this, event, false);
}

void MyToolButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    ClickOnLeftButton(this, event, true);
}
