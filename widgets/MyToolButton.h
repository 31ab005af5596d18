#pragma once

#include <QToolButton>

// A tool button that reports a click when the left button goes down, not when
// it comes up: clicked(false) for a press, clicked(true) for the second press
// of a double click. It never shows a pressed state.
class MyToolButton : public QToolButton
{
    Q_OBJECT

public:
    explicit MyToolButton(QWidget* parent = nullptr);

signals:
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
