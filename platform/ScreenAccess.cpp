#include "platform/ScreenAccess.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#if defined(Q_OS_WIN)
#include <windows.h>
#endif

namespace {

const ScreenAccess* g_InstalledAccess = nullptr;

} // namespace

QPoint ScreenAccess::CursorPosition() const
{
    return QCursor::pos();
}

double ScreenAccess::DesktopPixelRatio() const
{
#if defined(Q_OS_WIN)
    // A program the system scales sees a smaller desktop than the one the
    // desktop's device context grabs from.
    HDC desktop = GetDC(GetDesktopWindow());
    const int physicalWidth = GetDeviceCaps(desktop, DESKTOPHORZRES);
    ReleaseDC(GetDesktopWindow(), desktop);
    const int seenWidth = GetSystemMetrics(SM_CXSCREEN);
    return physicalWidth > 0 && seenWidth > 0 ? double(physicalWidth) / seenWidth : 1.0;
#else
    // QScreen::grabWindow maps the program's coordinates to device pixels
    // itself, so the pointer position needs no further factor.
    return 1.0;
#endif
}

QImage ScreenAccess::GrabPrimaryScreen(const QRect& area) const
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QImage();
    // Window 0: the whole desktop.
    return screen->grabWindow(0, area.x(), area.y(), area.width(), area.height()).toImage();
}

const ScreenAccess& CurrentScreenAccess()
{
    static const ScreenAccess realScreen;
    return g_InstalledAccess ? *g_InstalledAccess : realScreen;
}

void SetScreenAccess(const ScreenAccess* access)
{
    g_InstalledAccess = access;
}
