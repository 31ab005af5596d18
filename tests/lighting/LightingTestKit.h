#pragma once

#include "common/SimDeviceFixture.h"
#include "common/TestFolders.h"
#include "core/LanguageLoader.h"
#include "platform/ScreenAccess.h"

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QList>
#include <QMouseEvent>
#include <QObject>
#include <QStringList>
#include <QWidget>

// Temporary program and user folders with the shipped language files, loaded,
// and the shipped pictures of the given Picture subfolders.
inline bool UseShippedTextsAndPictures(const QStringList& pictureFolders)
{
    UseTemporaryFolders();
    if (!CopyShippedFiles(QStringLiteral("Language")))
        return false;
    for (const QString& folder : pictureFolders) {
        if (!CopyShippedFiles("Picture/" + folder))
            return false;
    }
    LoadLanguageFiles();
    return true;
}

// The child of a form by object name; the test fails on a null.
template <typename Widget>
Widget* Child(QObject* form, const char* name)
{
    return form->findChild<Widget*>(QString::fromLatin1(name));
}

// A left-button press (or double click) on owner at the middle of target, as
// owner receives a press that target passes on.
inline void PressOn(QWidget* owner, QWidget* target, QEvent::Type type = QEvent::MouseButtonPress)
{
    const QPoint point = target->mapTo(owner, target->rect().center());
    QMouseEvent event(type, point, owner->mapToGlobal(point), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(owner, &event);
}

// Whole records handed to the device.
inline int RecordSends()
{
    return SimDeviceFixture::JournalCount(QStringLiteral("ProtocolDataUpdate("));
}

// A screen with a pointer where the test puts it, whose grab gives one colour
// (or nothing), and which remembers every area grabbed. Installed for its
// lifetime.
class FakeScreen : public ScreenAccess
{
public:
    FakeScreen() { SetScreenAccess(this); }
    ~FakeScreen() override { SetScreenAccess(nullptr); }
    FakeScreen(const FakeScreen&) = delete;
    FakeScreen& operator=(const FakeScreen&) = delete;

    QPoint CursorPosition() const override { return cursor; }
    double DesktopPixelRatio() const override { return ratio; }
    QImage GrabPrimaryScreen(const QRect& area) const override
    {
        grabs << area;
        if (!colour.isValid())
            return QImage();
        QImage image(area.size(), QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }

    QPoint cursor{10, 20};
    double ratio = 1.0;
    QColor colour{12, 34, 56};   // invalid: the grab gives no image
    mutable QList<QRect> grabs;
};
