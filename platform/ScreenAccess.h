#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

// What the colour picker needs of the screen: where the pointer is, how the
// desktop's pixels relate to the coordinates the program sees, and the pixels
// of a small area of the primary screen. Tests install a stand-in with
// SetScreenAccess.
class ScreenAccess
{
public:
    virtual ~ScreenAccess() = default;

    // The pointer position in global coordinates, as the program sees them.
    virtual QPoint CursorPosition() const;
    // Physical desktop width divided by the primary screen's width as the
    // program sees it: the factor from a pointer position to the grab's
    // coordinates (1.5 on a Windows desktop scaled to 150 % for a program
    // the system scales).
    virtual double DesktopPixelRatio() const;
    // The pixels of area on the primary screen; a null image when no screen
    // can be read.
    virtual QImage GrabPrimaryScreen(const QRect& area) const;
};

// The access in force: the real screen unless a test installed another.
const ScreenAccess& CurrentScreenAccess();
// Installs access (not owned) in place of the real screen; null restores it.
void SetScreenAccess(const ScreenAccess* access);
