#pragma once

#include <QRect>
#include "widgets/FormStyles.h"
#include <QSize>

class QDialog;
class QFont;
class QFrame;
class QLabel;
class QSpinBox;
class QToolButton;

// Pieces of the forms of the capture and value dialogs (GroupKey, addKey,
// FireKey, AddDelayTime): every control lies on one background frame; the OK
// button is NewHong and the Cancel button NewHong_2.

// "微软雅黑" at pointSize; a negative size keeps the default size.

// The background frame over the whole dialog, its minimum and maximum size
// fixed at size.
QFrame* AddDialogFrame(QDialog* dialog, const char* name, const QSize& size);

// A caption in "微软雅黑" 11 pt with the given alignment.
QLabel* AddCaption(QFrame* frame, const char* name, const QRect& rect, int alignment, bool wordWrap = true);

// The 20 x 20 close button with its top-left corner at x, 5.
QToolButton* AddCloseButton(QFrame* frame, int x);

// An answer button (OK or Cancel) in "微软雅黑" 11 pt.
QToolButton* AddAnswerButton(QFrame* frame, const char* name, const QRect& rect);

// A centred spin box without step buttons in "Arial" at pointSize, value
// minimum.
QSpinBox* AddNumberBox(QFrame* frame, const char* name, const QRect& rect, int pointSize, int minimum,
                       int maximum);
