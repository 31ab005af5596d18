#include "widgets/MyConmboBox.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

MyConmboBox::MyConmboBox(QWidget* parent)
    : QComboBox(parent)
{
}

void MyConmboBox::mousePressEvent(QMouseEvent* event)
{
    PressIndex = currentIndex();
    QComboBox::mousePressEvent(event);
}

void MyConmboBox::paintEvent(QPaintEvent*)
{
    QStyleOptionComboBox comboOption;
    initStyleOption(&comboOption);
    {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Text));
        style()->drawComplexControl(QStyle::CC_ComboBox, &comboOption, &painter, this);
        if (isEditable()) {
            style()->drawControl(QStyle::CE_ComboBoxLabel, &comboOption, &painter, this);
            return;
        }
    }
    QStyleOptionButton labelOption;
    labelOption.initFrom(this);
    labelOption.rect = style()->subControlRect(QStyle::CC_ComboBox, &comboOption,
                                               QStyle::SC_ComboBoxEditField, this);
    labelOption.text = comboOption.currentText;
    labelOption.icon = comboOption.currentIcon;
    labelOption.iconSize = comboOption.iconSize;
    QPainter painter(this);
    style()->drawControl(QStyle::CE_PushButtonLabel, &labelOption, &painter, this);
}
