#pragma once

#include "pages/buttons/ValueDialog.h"

class QDialog;
class QFrame;
class QLabel;
class QSpinBox;
class QToolButton;

struct Ui_FireKey
{
    QFrame* FireKeyA = nullptr;
    QToolButton* CloseButton = nullptr;
    QLabel* label_2 = nullptr; // caption of Time
    QLabel* label = nullptr;   // caption of Count
    QSpinBox* Count = nullptr;
    QSpinBox* Time = nullptr;
    QLabel* label_3 = nullptr; // what a count of 0 means
    QToolButton* NewHong = nullptr;
    QToolButton* NewHong_2 = nullptr;

    void setupUi(QDialog* FireKey);
    void retranslateUi(QDialog* FireKey);
};

// Asks for the two values of a mouse button's fire key: the interval
// (10 to 255) and the number of shots (0 to 3; 0 fires while the button is
// held). exec always answers 0; read IsOk and then TimeValue and CountValue.
class FireKey : public ValueDialog
{
    Q_OBJECT

public:
    explicit FireKey(QWidget* parent = nullptr);
    ~FireKey() override;

    // Preload the spin boxes; values out of range are pulled into it.
    void SetTime(int interval);
    void SetCount(int count);

    int TimeValue = 10;
    int CountValue = 3;

public slots:
    void on_NewHong_clicked();

private:
    Ui_FireKey* ui;
};
