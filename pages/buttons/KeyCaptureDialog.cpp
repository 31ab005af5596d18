#include "pages/buttons/KeyCaptureDialog.h"

#include <QKeyEvent>
#include <QPointer>

KeyCaptureDialog::KeyCaptureDialog(QWidget* parent, const QList<QStringList>& texts, KeyHookSlot slot)
    : ValueDialog(parent, texts)
    , Hook(std::make_unique<KeyboardHook>(slot))
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
    // The slot keeps its callback after the hook is removed; the guard keeps
    // it from ever reaching a dialog that is gone.
    const QPointer<KeyCaptureDialog> dialog(this);
    Hook->SetCallback([dialog](int keyCode, bool downOrUp, bool aotu) {
        if (dialog)
            dialog->UpdateCapslockTip(keyCode, downOrUp, aotu);
    });
    Hook->Install();
}

void KeyCaptureDialog::RemoveHook()
{
    Hook->Uninstall();
}
