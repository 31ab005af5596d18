#pragma once

#include <QString>
#include <Qt>

struct Ui_NoticeForm;

// Frameless, without title bar; made a top-level window since every opener
// builds the notices without parent (value 27666).
constexpr Qt::WindowFlags kNoticeWindowFlags = Qt::SubWindow | Qt::BypassWindowManagerHint
    | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint;

// The program folder + "/Picture/WarningDialog/".
QString NoticePictureFolder();

// The family's look: message colour, picture buttons for the answers
// (confirmPicture + ".png" and confirmPicture + "Click.png"), the close
// button and the background of the frame.
void ApplyNoticeLook(const Ui_NoticeForm& ui, const QString& pictureFolder, const QString& confirmPicture);
