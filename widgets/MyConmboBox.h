#pragma once

#include <QComboBox>

// A combo box that remembers the index it had when it was last pressed (so a
// choice that cannot be applied can be taken back) and, when not editable,
// draws its current item centred like a push-button label.
class MyConmboBox : public QComboBox
{
public:
    explicit MyConmboBox(QWidget* parent = nullptr);

    // The current index at the last mouse press; wheel and keyboard changes
    // leave it alone.
    int PressIndex = 0;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
