#pragma once

#include "device/DeviceRecords.h"
#include "pages/macro/MacroDeviceTransfer.h"
#include "pages/macro/MacroEditor.h"
#include "pages/macro/MacroExchange.h"
#include "pages/macro/MacroFiles.h"
#include "pages/macro/MacroPageContext.h"
#include "pages/macro/MacroRecorder.h"

#include <QWidget>

#include <memory>

class QButtonGroup;
class QListWidgetItem;
class QModelIndex;
class Ui_Macro;

// True while the macro page records key events: the main window then drops
// every key press and the page shell locks its page buttons. GUI thread only.
extern bool g_MacroRecording;

// The macro page. The page shell creates it once, as the third page of its
// stack. It lists the stored macros, shows the selected macro's event rows,
// records, edits, saves, exports and imports macros and hands them to and
// from the device on the button page's requests. The work is done by the
// page's helpers (files, editor, recorder, exchange, device transfer) over
// one shared context; each slot here hands its event to one of them.
//
// A recording announces itself on the hub: SigStartRecord with 0 when it
// starts, with 1 when it stops. Leaving the pages (SigSetMacroPage, which the
// page shell emits on every way out) ends any recording. With its texts it names the
// five mouse buttons for the key tables.
class Macro : public QWidget
{
    Q_OBJECT

public:
    explicit Macro(QWidget* parent = nullptr);
    ~Macro() override;

public slots:
    void SlotButtonToMacro(FlashDataMap DataMap, int KeyNumer);
    void SlotMacroDownLoadData(QString MacroName, int index);
    void SlotSetMacroPage();
    void on_NewHong_clicked();
    void on_DeleteHong_clicked();
    void on_Amend_clicked();
    void on_ChooseEvent_activated(int index);
    void on_DeleteKey_clicked();
    void on_StartRecord_clicked();
    void on_StopRecord_clicked();
    void on_Save_clicked();
    void SlotAllLanguage(int Index);
    void on_listWidgetKey_itemChanged(QListWidgetItem* item);
    void on_NumberEdit_valueChanged(int arg1);
    void on_listWidgetHong_clicked(const QModelIndex& index);
    void on_listWidgetHong_currentRowChanged(int currentRow);
    void on_listWidgetHong_customContextMenuRequested(const QPoint& pos);
    // The commands of the macro list's context menu.
    void ExPortMacro();
    void RenameMacro();
    void DeleteMacro();
    void CreateMewMacro();
    void InPortMacro();
    void on_DelayTime_valueChanged(int arg1);

protected:
    // A click outside the two spin boxes takes the focus from them.
    void mousePressEvent(QMouseEvent* event) override;
    // Escape and F12 do nothing on this page.
    void keyPressEvent(QKeyEvent* event) override;
    // A language change event re-texts the form, keeping the chooser's
    // index and the two spin boxes' values.
    void changeEvent(QEvent* event) override;

private:
    MacroPageWidgets SetUpForm();
    void ApplyLooks();
    bool AskKeyName(QString& keyName) const;
    bool AskDelay(int& delayMs) const;

    std::unique_ptr<Ui_Macro> ui;
    QButtonGroup* DelayModeGroup = nullptr; // AutoInsertDelay, DefaultDelay
    QButtonGroup* LoopModeGroup = nullptr;  // ReUntilLoose, ReUntilClick, ReNumber, ReUntil
    MacroPageContext m_Context;
    MacroFiles m_Files;
    MacroEditor m_Editor;
    MacroRecorder m_Recorder;
    MacroExchange m_Exchange;
    MacroDeviceTransfer m_Transfer;
};
