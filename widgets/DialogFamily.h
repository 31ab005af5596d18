#pragma once

#include <QList>
#include <qnamespace.h>
#include <QPoint>
#include <QSize>
#include <QString>

class QDialog;
class QFrame;
class QLabel;
class QToolButton;
class QWidget;

// The small message and question dialogs: 300 x 140 frameless windows drawn
// from the pictures of "Picture/WarningDialog/", built on their opener's stack
// without a parent, placed over one of the opener's widgets and run with exec.

// Sub-window, bypass the window manager, frameless, system menu, minimise
// button: without a parent Qt makes this a top-level window with no title bar.
constexpr Qt::WindowFlags kDialogFamilyWindowFlags = Qt::SubWindow | Qt::BypassWindowManagerHint
                                                     | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint
                                                     | Qt::WindowMinimizeButtonHint;

// ProgramFolder() + "/Picture/WarningDialog/".
QString WarningDialogFolder();

struct DialogFamilyParts
{
    QFrame* frame = nullptr; // the background frame, styled by its object name
    QLabel* label = nullptr;
    QToolButton* closeButton = nullptr;
    QList<QToolButton*> confirmButtons;
};

// Sets the family's window flags and look: the label in the LabelColor option,
// the confirm buttons ("Confirm.png", "ConfirmClick.png", text in ButtonColor),
// the close button ("Close.png", "CloseHover.png", "CloseClick.png") and the
// frame's "BackGround.png". Parts left null are skipped.
void ApplyDialogFamilyLook(QDialog* dialog, const DialogFamilyParts& parts);

// Where an opener puts a dialog: centred over the opener's widget and shifted
// by (dx, dy), x = left + (W - w) / 2 + dx, y = top + (H - h) / 2 + dy, the
// halves truncated toward zero.
QPoint DialogPosition(const QPoint& openerTopLeft, const QSize& openerSize, const QSize& dialogSize, int dx,
                      int dy);

// Moves dialog there over opener (its top-left corner in screen coordinates),
// by the dialog's own size.
void PlaceDialog(QWidget* dialog, const QWidget* opener, int dx = 0, int dy = 0);
