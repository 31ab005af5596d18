#pragma once

#include "pages/buttons/KeyCaptureDialog.h"

#include <QElapsedTimer>

class MyLineEdit;
class QCheckBox;
class QDialog;
class QFrame;
class QLabel;
class QToolButton;

struct Ui_GroupKey
{
    QFrame* groupKeyA = nullptr;
    QLabel* label = nullptr;
    QToolButton* CloseButton = nullptr;
    MyLineEdit* lineEdit = nullptr; // the entry: the caught keys joined with "+"
    QCheckBox* Shift = nullptr;
    QCheckBox* Ctrl = nullptr;
    QCheckBox* Alt = nullptr;
    QCheckBox* Win = nullptr;
    QToolButton* NewHong = nullptr;
    QToolButton* NewHong_2 = nullptr;

    void setupUi(QDialog* GroupKey);
    void retranslateUi(QDialog* GroupKey);
};

// Composes a key combination of at most three parts for a mouse button: the
// modifiers ticked in four check boxes and up to three keys caught on the
// keyboard. Keys pressed within the entry window of the entry's first key
// form one entry; a key after a full entry, or after the window, begins a new
// one. exec always answers 0; read IsOk and then KeyText ("Shift+Ctrl+A").
class GroupKey : public KeyCaptureDialog
{
    Q_OBJECT

public:
    explicit GroupKey(QWidget* parent = nullptr);
    ~GroupKey() override;

    QString KeyText;

    int PlusCount = 0;  // separators in the entry when the last key-down was handled
    int LastKey = -1;   // virtual-key code of the last key-down handled; -1 none
    bool FirstKey = true;
    QElapsedTimer EntryTimer; // started by the first key of each entry

public slots:
    void on_NewHong_clicked();
    void on_lineEdit_textEdited(const QString& text);
    void UpdateCapslockTip(int keyCode, bool downOrUp, bool aotu) override;

private:
    QString Entry() const;
    void SetEntry(const QString& entry);
    void StartEntry(const QString& firstKey);
    void ClearEntry();

    Ui_GroupKey* ui;
};
