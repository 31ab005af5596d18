#pragma once

#include "device/DeviceRecords.h"
#include "device/SensorHeader.h"

#include <QList>
#include <QString>
#include <QVector>
#include <QWidget>

// MID of the model opened last on the device list (3 to 9), for the page's
// mouse picture and key layout. Written by the device choice before it emits
// SigMouseIndex. GUI thread only.
extern int g_OpenedModelMid;

class MacroDownloads;
class QAbstractButton;
class QButtonGroup;
class QDialog;
class QToolButton;
class QVBoxLayout;
class Worker;
struct Ui_Buttoninterface;

// The button assignment page. The page shell creates it once, as the first
// page of its stack.
//
// The user picks a key selector (one mouse button), the page opens the
// category list at the key's current function, and a category or function
// button assigns: each assignment is one sender call; on success the
// selector shows the function's name and the page remembers it in KeyTypes,
// KeyCodes and KeyExtras. The page also switches profiles, restores the
// factory settings and exports and imports whole configurations.
//
// The device side fills it through the hub: a full read or the offline cache
// (SigUpDataLightUIButton, blocking), an applied import (SigUpDataButtonUIC),
// and the look of a device without data (SigFormReset, blocking). While it
// fills, g_ButtonPageLoading keeps the senders from reporting an absent
// device; a full read sets g_ButtonPageUpdated, for which the wait dialog
// waits.
class Buttoninterface : public QWidget
{
    Q_OBJECT

public:
    // Creates the program's one device thread (not started yet).
    explicit Buttoninterface(QWidget* parent = nullptr);
    // Stops the device thread and the hot-plug watch.
    ~Buttoninterface() override;

    // The record the page shows: the last one it was filled from, zero after a reset.
    const FlashDataMap& ShownRecord() const { return m_ShownRecord; }
    // The current model's sensor, taken again with every record, and the
    // definitions of the sensor header, read once: what the DPI-lock codes
    // are converted with.
    const QString& SensorName() const { return m_SensorName; }
    const SensorDefines& SensorDefineTable() const { return m_SensorDefines; }

    // Shows one device key's function on its selector. A macro key also
    // rebuilds the macro's file from the record (RebuildMacroFileFromKey),
    // unless a mouse lacks the macro's last save: MacroDownloads then
    // decides, once it knows the mouse and the profile shown, whether the
    // key gets the saved file, holds it already, or stays apart.
    void ShowKeyAssignment(int key, int type, int code, int extra, FlashDataMap record);
    // The pages are being left: saved macros still waiting for their
    // download are sent now, while the device listens.
    void SendMacrosBeforeLeaving();
    // Remembers what was sent for a key (the vectors grow to hold it).
    void StoreKeyAssignment(int key, int type, int code, int extra);
    // Unchecks every function button and macro button.
    void UncheckAllFunctions();
    // Unchecks every category button.
    void UncheckCategories();
    // A multimedia key (by the low byte of its usage) or a combination text
    // for a key, whichever selector is checked.
    void AssignConsumerKey(int key, int lowByte);
    void AssignKeyCombination(int key, const QString& text);
    // Saves the configuration the page holds to a file the user chose, with
    // ".bin" added when the name does not end in it; a file that cannot be
    // written is reported with the ExportFail notice. While the device's
    // configuration is read again nothing is written (SigDeviceBeingRead).
    void SaveSettingsFile(const QString& chosenPath);
    // The fire key with FireInterval and FireCount, once its dialog was accepted.
    void on_DPI_6_clicked(bool checked);
    // The per-key restore files of rows 2 to 6.
    void RestoreSelector2();
    void RestoreSelector3();
    void RestoreSelector4();
    void RestoreSelector5();
    void RestoreSelector6();

    Ui_Buttoninterface* ui;
    QList<QToolButton*> MacroButtons;  // the macro list's buttons, hidden placeholders included
    QButtonGroup* SelectorGroup;
    QButtonGroup* CategoryGroup;
    QButtonGroup* FunctionGroup;
    QString MainPagePath;
    // Function type, first and second parameter per device key, as last shown or sent.
    QVector<int> KeyTypes;
    QVector<int> KeyCodes;
    QVector<int> KeyExtras;
    int FireInterval = 10;
    int FireCount = 3;
    QString ButtonColorText;
    QString PicturePath;
    QString MacroPrefix;
    QString ConfigPrefix;

public slots:
    void SlotMouseIndex(int index);
    // Another device is opened: no key, category or function of the one
    // before stays selected.
    void SlotDeviceChosen();
    void SlotUpDataButtonUIButton(FlashDataMap DataMap);
    void SlotUpDataButtonUIB(FlashDataMap DataMap);
    void SlotFormResetButton();
    void SlotUpDataConfigUI(int ToTalItem, int SelectIndex, bool ItemEnable);
    void SlotAllLanguage(int index);
    void SlotAddMacroButton();
    void SlotDeleteMacroButton(QString MacroName);
    void SlotMacroRename(QString MacroName, QString NewName);
    void SlotUpDataMacro(QString MacroName, int index);
    // The macro page is about to write a save of MacroName.
    void SlotMacroSaving(QString MacroName);
    void slotButtonClicked(bool checked);

    void on_stackedWidget_currentChanged(int index);
    void on_FireKey_clicked();
    void on_RightKey_clicked();
    void on_BackKey_clicked();
    void on_StartPause_clicked();
    void on_TopMusic_clicked();
    void on_BackMusic_clicked();
    void on_Number1_clicked();
    void on_Number2_clicked();
    void on_Number3_clicked();
    void on_Number4_clicked();
    void on_Number5_clicked();
    void on_Number6_clicked();
    void on_DPI_13_clicked();
    void on_DPI_11_clicked();
    void on_DPI_4_clicked();
    void on_DPI_9_clicked();
    void on_DPI_7_clicked();
    void on_DPI_12_clicked();
    void on_DPI_10_clicked();
    void on_DPI_6_clicked();
    void on_DPI_8_clicked();
    void on_ProjectChoose_activated(int index);
    void on_Reset_clicked();
    void on_ImportData_clicked();
    void on_OutputData_clicked();

protected:
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void BuildButtonGroups();
    void BuildMacroButtons();
    void FillMacroButtons();
    void LayStyleSheets();
    void ConnectFunctionButtons();
    void ShowRecord(const FlashDataMap& record, bool fullRead);

    QToolButton* Button(const char* objectName) const;
    QToolButton* SelectorOfKey(int key) const;
    int SelectedKey() const;
    int KeyEntry(const QVector<int>& entries, int key) const;
    void BackToIdle(QWidget* scrollAreaOfBar = nullptr);
    void DeselectSelectors();
    void SelectorClicked(int row);
    // Whether a device key is the only one whose function is left click.
    bool IsLastLeftClickKey(int key) const;
    // Refuses to give the last left-click key anything but left click: back
    // to the idle view, no key selected, the LeftButtonOnly notice. True when
    // it refused.
    bool RefusedForLastLeftClick(int key, bool leftClick);
    void ShowKeyFunction(int key);
    // After a function dialog was given up: the selected key's own function
    // marked again, as before its category was clicked.
    void ShowSelectedKeyAgain();
    void ScrollTo(QWidget* scrollArea, int position);
    void AssignFixedFunction(bool checked, int type, int code, int extra, const QString& label, bool fromCategory,
                             QWidget* scrollAreaOfBar = nullptr);
    void AssignBuiltInDefault(int key);
    // Shows the DPI-lock buttons whose value the record keeps for the sensor.
    void OfferKeptDpiLocks();
    void AssignMultimediaKey(bool checked, int index);
    bool SendConsumerKey(int key, int usage);
    bool SendCombination(int key, const QString& text);
    template <typename Dialog>
    void ShowNotice();
    // Runs a notice over the page, as the page places all its notices.
    void RunNotice(QDialog& notice);
    // The macro a selector's label names: the label without NULs and
    // without MacroPrefix before the name; empty when it names no macro.
    QString MacroNameOfLabel(const QString& label) const;
    // The macro file of key's macro follows the record: its loop line
    // rewritten to loop, then its rows appended by the macro page.
    void RebuildMacroFileFromKey(int key, int loop, const FlashDataMap& record);
    // The keys whose selector shows macro name, in selector order.
    QList<int> KeysShowingMacro(const QString& name) const;
    // A saved macro's download missed the device: the user learns that it
    // waits on this computer for the mouse, only while the program runs
    // when the note of it could not be written (noted false).
    void TellMacroSavedHere(bool noted);

    FlashDataMap m_ShownRecord{};
    QString m_SensorName;
    SensorDefines m_SensorDefines;
    MacroDownloads* m_MacroDownloads;
    QWidget* m_MacroContainer = nullptr;
    QVBoxLayout* m_MacroLayout = nullptr;
    Worker* m_Worker;
};
