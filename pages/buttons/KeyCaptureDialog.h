#pragma once

#include "pages/buttons/ValueDialog.h"
#include "platform/KeyboardHook.h"

#include <memory>

class QKeyEvent;

// Base of the two dialogs that catch keys through a keyboard hook of their
// own (GroupKey, addKey). The hook is installed by the constructor and feeds
// UpdateCapslockTip with each key event made while one of the program's
// windows is in front. Every way of ending the dialog removes the hook, also
// the window system's own close command, and the hook never calls a dialog
// that no longer exists. Escape and F12 never end the dialog.
class KeyCaptureDialog : public ValueDialog
{
    Q_OBJECT

public:
    ~KeyCaptureDialog() override;

    void done(int result) override;

public slots:
    // The hook's callback: virtual-key code, key down, and repeat (the same
    // key as the event before).
    virtual void UpdateCapslockTip(int keyCode, bool downOrUp, bool aotu) = 0;

protected:
    // slot: the dialog's own hook slot.
    KeyCaptureDialog(QWidget* parent, const QList<QStringList>& texts, KeyHookSlot slot);

    // Installs the hook with this dialog as its callback, replacing the
    // callback an earlier dialog left; call once the dialog's form exists.
    void InstallHook();
    void RemoveHook();

    void keyPressEvent(QKeyEvent* event) override;

    std::unique_ptr<KeyboardHook> Hook;
};
