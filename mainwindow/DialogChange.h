#pragma once

#include "device/DeviceListDiscovery.h"

#include <QString>
#include <QWidget>

class QObject;
class Ui_DialogChange;

class DialogChange;

// The one device list page; discovery and the grid reach its widgets through it.
extern DialogChange* g_DialogChangeInstance;
// ProgramFolder() + "/Picture/DialogChange/": the pictures of the page, its
// grid and the device buttons.
extern QString g_DialogChangePictureDir;
// Number of models in the device description; also the model index of a
// device that is not identified.
extern int g_DeviceTotal;
// Texts of the current language: the prompt (0), the prompt while Repair is
// shown (2), the two lines of the offline markers' tool tip (5, 6) and the
// main window's reset question (8).
extern QString g_DeviceListText0;
extern QString g_DeviceListText2;
extern QString g_DeviceListText5;
extern QString g_DeviceListText6;
extern QString g_DeviceListText8;

// The first page of the main window: the grid of found devices with its
// paging arrows, prompt and hint, the language box, minimise and close, and a
// Repair button while a failed firmware update is on record. Registers the
// device list's hot-plug callback, which rebuilds the grid on every USB change.
class DialogChange : public QWidget, public DeviceListView
{
    Q_OBJECT

public:
    explicit DialogChange(QWidget* parent = nullptr);
    ~DialogChange() override;

    Ui_DialogChange* Form() const { return ui; }

    // Throws the grid away and builds it from g_ListedDevices (DeviceGrid.cpp).
    void BuildDeviceGrid() override;

    // Repair shown (a failed update is on record, or a device waits in boot
    // mode) with its prompt, or hidden with the ordinary prompt.
    void ShowRepairOffer(bool repairable) override;

    void RestyleDeviceButton(int index, const DeviceButtonLook& look) override;

signals:
    // A device button or Repair was chosen: what follows works with the
    // pages, which must exist before it starts.
    void PageShellNeeded();

public slots:
    void on_MinButton_clicked();
    void on_CloseButton_clicked();
    void on_RightButton_clicked();
    void on_LeftButton_clicked();
    void on_Repair_clicked();
    void on_comboBox_activated(int index);
    void SlotSameLanguageA(int index);
    void SlotUpDateButton(bool IsHide);
    void SlotEnterKey();
    void slotButtonClicked();
    void SlotAllLanguage(int index);
    void on_CloseButton_2_clicked();
    void on_NewHong_clicked();
    void on_NoApear_clicked(bool checked);

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyStyles();
    void StyleFirmwareNotice();
    void ShowPrompt();
    void BuildDeviceGridOnce();
    void ShowDuplicateNotice();
    void ClearDeviceGrid();
    bool ApplyListRules(int deviceTotal);
    void AddGridPages(int deviceTotal);

    Ui_DialogChange* ui;
    // The duplicate notice runs a nested event loop in which USB changes keep
    // coming; a rebuild asked for meanwhile runs once the notice is closed.
    bool m_DuplicateNoticeOpen = false;
    bool m_RebuildPending = false;
    // A notice waits for the event loop; one is enough.
    bool m_DuplicateNoticeQueued = false;
    // The new-firmware notice is hidden from the start; its pictures are
    // loaded only once it first shows.
    bool m_FirmwareNoticeStyled = false;
};

// The list index a device button stands for: its object name without "btn",
// as a decimal number; -1 when that is not a number.
int DeviceButtonIndex(const QObject* button);
