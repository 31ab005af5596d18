#pragma once

#include <QPushButton>

// A push button that shows the pointing hand while the mouse is over it.
class MyButton : public QPushButton
{
public:
    explicit MyButton(QWidget* parent = nullptr);

protected:
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
};
