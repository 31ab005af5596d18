#include "widgets/MyLineEdit.h"

#include <QKeyEvent>

MyLineEdit::MyLineEdit(QWidget* parent)
    : QLineEdit(parent)
{
}

// The events stay accepted, so they end here.
void MyLineEdit::keyPressEvent(QKeyEvent*)
{
}

void MyLineEdit::keyReleaseEvent(QKeyEvent*)
{
}
