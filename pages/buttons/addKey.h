#pragma once

#include "pages/buttons/KeyCaptureDialog.h"

class QDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QToolButton;

struct Ui_addKey
{
    QFrame* addKeyA = nullptr;
    QLabel* label = nullptr;
    QToolButton* CloseButton = nullptr;
    QLineEdit* lineEdit = nullptr;
    QToolButton* NewHong = nullptr;
    QToolButton* NewHong_2 = nullptr;

    void setupUi(QDialog* addKey);
    void retranslateUi(QDialog* addKey);
};

// Catches one key for the macro editor: it shows and returns the name of the
// key of the last keyboard event, press or release. exec answers 1 after OK
// with a key caught, 0 otherwise; read IsOk and then KeyText.
class addKey : public KeyCaptureDialog
{
    Q_OBJECT

public:
    explicit addKey(QWidget* parent = nullptr);
    ~addKey() override;

    QString KeyText;

public slots:
    void on_NewHong_clicked();
    void UpdateCapslockTip(int keyCode, bool downOrUp, bool aotu) override;

private:
    Ui_addKey* ui;
};
