#pragma once

#include "lighting/LightControls.h"
#include "lighting/PanelDialog.h"

// The light-mode dialog's form: the shared light controls in a background
// frame, with a close button.
struct Ui_LightModeSet : LightControlsForm
{
    QFrame* LightModeSetframe = nullptr;
    QToolButton* CloseButton = nullptr;

    void setupUi(QDialog* dialog);
    void retranslateUi(QDialog* dialog);
};

// The light controls of the lighting page as a small dialog of the settings
// page. It talks to no device and keeps no settings: its controls change only
// each other and the preview.
class LightModeSet : public PanelDialog
{
    Q_OBJECT

public:
    explicit LightModeSet(QWidget* parent = nullptr);
    ~LightModeSet() override;

public slots:
    void SlotAllLanguage(int index) override;

protected:
    // Picks a colour off the screen from the colour board.
    void mousePressEvent(QMouseEvent* event) override;

private slots:
    void on_AddR_clicked();
    void on_AddG_clicked();
    void on_AddB_clicked();
    void on_ReduceR_clicked();
    void on_ReduceG_clicked();
    void on_ReduceB_clicked();
    void on_RSpinBox_valueChanged(int red);
    void on_GSpinBox_valueChanged(int green);
    void on_BSpinBox_valueChanged(int blue);
    void on_LightMod_currentIndexChanged(int index);

private:
    void ApplyLook() override;

    Ui_LightModeSet* ui;
};
