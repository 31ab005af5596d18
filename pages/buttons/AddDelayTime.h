#pragma once

#include "pages/buttons/ValueDialog.h"

class QDialog;
class QFrame;
class QLabel;
class QSpinBox;
class QToolButton;

struct Ui_AddDelayTime
{
    QFrame* AddDelayTimeA = nullptr;
    QLabel* label = nullptr;
    QToolButton* CloseButton = nullptr;
    QSpinBox* spinBox = nullptr;
    QToolButton* NewHong = nullptr;
    QToolButton* NewHong_2 = nullptr;

    void setupUi(QDialog* AddDelayTime);
    void retranslateUi(QDialog* AddDelayTime);
};

// Asks the macro editor's delay in milliseconds (10 to 65,535). exec always
// answers 0; read IsOk and then DelayValue.
class AddDelayTime : public ValueDialog
{
    Q_OBJECT

public:
    explicit AddDelayTime(QWidget* parent = nullptr);
    ~AddDelayTime() override;

    int DelayValue = 0;

public slots:
    void on_NewHong_clicked();

private:
    Ui_AddDelayTime* ui;
};
