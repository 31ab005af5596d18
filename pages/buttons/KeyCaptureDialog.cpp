#include "pages/buttons/KeyCaptureDialog.h"

#include <QKeyEvent>

KeyCaptureDialog::KeyCaptureDialog(QWidget* parent, const QList<QStringList>& texts)
    : ValueDialog(parent, texts)
{
}

KeyCaptureDialog::~KeyCaptureDialog()
{
    RemoveHook();
}

void KeyCaptureDialog::done(int result)
{
    RemoveHook();
    ValueDialog::done(result);
}

void KeyCaptureDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F12)
        return;
    ValueDialog::keyPressEvent(event);
}

void KeyCaptureDialog::InstallHook()
{
    // Wired to the keyboard hook once it exists.
}

void KeyCaptureDialog::RemoveHook()
{
}
