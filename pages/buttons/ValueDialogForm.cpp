#include "pages/buttons/ValueDialogForm.h"
#include "widgets/FormStyles.h"

#include <QDialog>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>

namespace {

} // namespace

QFrame* AddDialogFrame(QDialog* dialog, const char* name, const QSize& size)
{
    auto* frame = new QFrame(dialog);
    frame->setObjectName(name);
    frame->setGeometry(QRect(QPoint(0, 0), size));
    frame->setMinimumSize(size);
    frame->setMaximumSize(size);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);
    return frame;
}

QLabel* AddCaption(QFrame* frame, const char* name, const QRect& rect, int alignment, bool wordWrap)
{
    auto* label = new QLabel(frame);
    label->setObjectName(name);
    label->setGeometry(rect);
    label->setFont(FormFont(11));
    label->setAlignment(Qt::Alignment(alignment));
    label->setWordWrap(wordWrap);
    return label;
}

QToolButton* AddCloseButton(QFrame* frame, int x)
{
    auto* button = new QToolButton(frame);
    button->setObjectName("CloseButton");
    button->setGeometry(QRect(x, 5, 20, 20));
    button->setMaximumSize(QSize(20, 20));
    button->setIconSize(QSize(30, 30));
    button->setAutoRaise(true);
    return button;
}

QToolButton* AddAnswerButton(QFrame* frame, const char* name, const QRect& rect)
{
    auto* button = new QToolButton(frame);
    button->setObjectName(name);
    button->setGeometry(rect);
    button->setFont(FormFont(11));
    button->setAutoRaise(true);
    return button;
}

QSpinBox* AddNumberBox(QFrame* frame, const char* name, const QRect& rect, int pointSize, int minimum, int maximum)
{
    auto* box = new QSpinBox(frame);
    box->setObjectName(name);
    box->setGeometry(rect);
    box->setFont(FamilyFont(QStringLiteral("Arial"), pointSize));
    box->setAlignment(Qt::AlignCenter);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setRange(minimum, maximum);
    box->setValue(minimum);
    return box;
}
