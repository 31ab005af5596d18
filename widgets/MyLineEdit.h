#pragma once

#include <QLineEdit>

// A line edit whose text only its dialog sets: typed keys neither change it nor
// reach the dialog (Escape and Return do not close it).
class MyLineEdit : public QLineEdit
{
public:
    explicit MyLineEdit(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
};
