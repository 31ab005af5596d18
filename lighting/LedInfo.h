#pragma once

#include "device/DeviceRecords.h"
#include "lighting/PanelDialog.h"

class QButtonGroup;
class QCheckBox;
class QFrame;
class QLabel;
class QTextEdit;
class QToolButton;

// Whether a receiver-LED report concerns device: a 4K receiver (kind byte 1,
// kind flag clear) whose model has the receiver-LED option (item 1 of the
// model's "Adveanced" list present and not "-1").
bool ReceiverLedOptionApplies(const DeviceAllInfo& device);

// The receiver-LED dialog's form: a title, three exclusive boxes each beside
// an explanation, and a close button.
struct Ui_LedInfo
{
    QFrame* LedInfoFrame = nullptr;
    QToolButton* TitleButton_7 = nullptr;
    QLabel* label_14 = nullptr;
    QCheckBox* ReUntil = nullptr;
    QCheckBox* ReUntil_2 = nullptr;
    QCheckBox* ReUntil_3 = nullptr;
    QTextEdit* textEdit_2 = nullptr;
    QTextEdit* textEdit_3 = nullptr;
    QTextEdit* textEdit_4 = nullptr;
    QToolButton* CloseButton = nullptr;

    void setupUi(QDialog* dialog);
    void retranslateUi(QDialog* dialog);
};

// Explains what the receiver's LED can show and marks the LED mode (1, 2 or
// 3) the receiver last reported. It sends nothing: a box the user ticks
// changes only the box. Follows SigRGBValue from its construction on.
class LedInfo : public PanelDialog
{
    Q_OBJECT

public:
    explicit LedInfo(QWidget* parent = nullptr);
    ~LedInfo() override;

public slots:
    // Reached from the device side over a blocking queued connection; reads
    // the record while the emitter waits.
    void SlotRGBValue(DongleRGB* Rgb);
    void SlotAllLanguage(int index) override;

private:
    void ApplyLook() override;

    Ui_LedInfo* ui;
    QButtonGroup* m_ButtonGroup;
};
