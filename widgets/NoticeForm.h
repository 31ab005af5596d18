#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>

class QCheckBox;
class QDialog;
class QFrame;
class QLabel;
class QToolButton;

// One answer button of a notice (NewHong, OK or Cancel): 90 x 24 at `at`.
// A button without a default text is not part of the form.
struct NoticeButtonSpec
{
    QPoint at{};
    const char* text = nullptr;
    int textPosition = -1; // position in the language section; -1: keeps its text
};

// Everything in which the forms of the notice family differ: each notice,
// question and firmware warning is one of these tables over the same pieces
// (a background frame, a message, a close button, up to two answer buttons).
struct NoticeFormSpec
{
    const char* name = "";        // object name of the dialog (its class name)
    const char* frameName = "";   // object name of the background frame
    QSize frameLimit{};           // the frame's minimum and maximum size; empty: none
    QSize dialogMinimum{};        // empty: none
    QSize dialogMaximum{};        // empty: none
    bool fixedSizePolicy = false; // the dialog's size policy
    QRect labelRect{};
    int labelPointSize = 11;
    const char* labelText = "";
    // The message's position in the language section, asked at every language
    // call; -1, or no function: the message keeps its text.
    int (*labelPosition)() = nullptr;
    QPoint closeAt = QPoint(275, 5);
    NoticeButtonSpec newHong{};
    NoticeButtonSpec ok{};
    NoticeButtonSpec cancel{};
    // The NoApear check box, present when it has a default text.
    QRect checkBoxRect{};
    const char* checkBoxText = nullptr;
    int checkBoxPosition = -1;
    const QList<QStringList>* texts = nullptr; // the language section's table; null: not followed
    // The answer buttons' pictures, normal and pressed; null: the family's
    // Confirm.png and ConfirmClick.png.
    const char* confirmPicture = nullptr;
    const char* confirmPressedPicture = nullptr;
    bool frameRuleSpaced = false; // the frame's style ends in "; }"
};

// The form of a notice, built in code from its table.
struct Ui_NoticeForm
{
    QFrame* frame = nullptr;
    QLabel* label = nullptr;
    QToolButton* CloseButton = nullptr;
    QToolButton* NewHong = nullptr;
    QToolButton* OK = nullptr;
    QToolButton* Cancel = nullptr;
    QCheckBox* NoApear = nullptr;

    void setupUi(QDialog* dialog, const NoticeFormSpec& formSpec);
    void retranslateUi(QDialog* dialog, const NoticeFormSpec& formSpec);
};

// For labelPosition: the message is text 0 of its section.
int NoticeLabelAtFirstText();
