#pragma once

#include "widgets/FormStyles.h"

#include <QFont>
#include <QString>

class QDialog;
class QFrame;
class QToolButton;
class QWidget;

// Pieces that the lighting page and the dialogs beside the settings page
// build their forms from.

// The forms' font family, "微软雅黑", at pointSize (-1: the default size).

// The background frame that fills a 638 x 318 dialog.
QFrame* CreatePanelFrame(QDialog* dialog, const char* name);
// The 20 x 20 close button at the frame's top right.
QToolButton* CreatePanelCloseButton(QWidget* frame);

// "#" objectName "{background-image: " StyleUrl(folder picture) ";border:0px;background-position:center;background-repeat:no-repeat;}"
QString ObjectPictureStyle(const QString& objectName, const QString& folder, const QString& picture);

// The light and screen dialogs' slider: a white groove, the handle picture
// "Slider.png" of folder and the part below the handle in colorText.
QString PanelSliderStyle(const QString& folder, const QString& colorText);
