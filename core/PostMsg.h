#pragma once

#include "device/DeviceRecords.h"

#include <QObject>
#include <QString>

// The program's one message hub. Everything one window, page or dialog tells
// another, and everything the device thread and the device reports tell the
// pages, is a signal of this object. Senders call the Emit method of a
// signal; receivers connect in their constructors by signature string:
//
//   connect(PostMsg::GetInstance(), SIGNAL(SigBattery(bool,int,bool)),
//           this, SLOT(SlotBattery(bool,int,bool)), Qt::BlockingQueuedConnection);
//
// A string connection to a misspelt signal fails at run time with only a
// warning, so keep names and parameter types exactly as declared here.
//
// Every slot runs on the GUI thread. The device thread (Worker::run) and the
// report callback emit the page signals over blocking queued connections and
// wait until the slot has run; they must never run on the GUI thread, the GUI
// thread must never wait for them, and nobody may hold the device-state lock
// (device/DeviceState.h) while emitting.
//
// FlashDataMap, DeviceAllInfo and DongleRGB* are registered as meta-types when
// the hub is created, so a queued connection delivers them too. A record is
// carried by value; DongleRGB* points at the emitter's copy of the
// receiver-LED record, which lives until the slots have run.
class PostMsg : public QObject
{
    Q_OBJECT

public:
    // The hub, created on the first call and never destroyed.
    static PostMsg* GetInstance();

    void EmitChangeMainDialog(int index);
    void EmitChangeSize(int index);
    void EmitUpDataConfigUI(int ToTalItem, int SelectIndex, bool ItemEnable);
    void EmitUpDataLightUIButton(FlashDataMap DataMap);
    void EmitUpDataLightLight(FlashDataMap DataMap);
    void EmitUpDataLightSensor(FlashDataMap DataMap);
    void EmitUpDataLightUIA(FlashDataMap DataMap);
    void EmitUpDataSensorUIB(FlashDataMap DataMap);
    void EmitUpDataButtonUIC(FlashDataMap DataMap);
    void EmitButtonToMacro(FlashDataMap DataMap, int KeyNumer);
    void EmitSelectMouseInfo(DeviceAllInfo SelectInfo);
    void EmitMouseOffLineo(int index);
    void EmitDeviceBeingRead();
    void EmitMainPageChange();
    void EmitSecondPageChange();
    void EmitUpPageLight();
    void EmitAddMacroButton();
    void EmitDeleteMacroButton(QString MacroName);
    void EmitMacroDownLoadData(QString MacroName, int index);
    void EmitMacroSaving(QString MacroName);
    void EmitUpDataMacro(QString MacroName, int index);
    void EmitUpDataParam(int index);
    void EmitUpDataReportRate(int index);
    void EmitUpDataDPI(int index);
    void EmitUpDataDPILed(FlashDataMap DataMap);
    void EmitTimerStop();
    void EmitButtonEnable(int index);
    void EmitLabelText(int index, QString Text);
    void EmitLabelTextB(QString TextA, QString Text);
    void EmitCloseUpdate();
    void EmitProgress(int index, int value);
    void EmitBattery(bool IsCharg, int Number, bool IsText);
    void EmitAutoRepair(int index);
    void EmitAutoRepairProgress(int index);
    void EmitChangeLanguage(int index);
    void EmitLanguageSameA(int index);
    void EmitLanguageSameB(int index);
    void EmitCloseOffOnline();
    void EmitSetMacroPage();
    void EmitStartRecord(int index);
    void EmitUpDateButton(bool IsHide);
    void EmitMacroRename(QString Rename, QString Name);
    void EmitSetver(int index);
    void EmitCloseProgress();
    void EmitRGBValue(DongleRGB* Rgb);
    void EmitLongRangeMode(bool Select);
    void EmitForm();
    void EmitFormB();
    void EmitEnterKey();
    void EmitFormReset();
    void EmitHideModel(int index);
    void EmitContinue(int index);
    void EmitMouseIndex(int index);
    void EmitUpdateStart();
    void EmitCheckUpdate();
    void EmitRepairCheckUpdate();
    void EmitSetNewVer();
    void EmitLightToFrom(int index);
    void EmitButtonCheck();
    void EmitAllLanguage(int Index);

signals:
    void SigChangeMainDialog(int index);
    void SigChangeSize(int index);
    void SigUpDataConfigUI(int ToTalItem, int SelectIndex, bool ItemEnable);
    void SigUpDataLightUIButton(FlashDataMap DataMap);
    void SigUpDataLightLight(FlashDataMap DataMap);
    void SigUpDataLightSensor(FlashDataMap DataMap);
    void SigUpDataLightUIA(FlashDataMap DataMap);
    void SigUpDataSensorUIB(FlashDataMap DataMap);
    void SigUpDataButtonUIC(FlashDataMap DataMap);
    void SigButtonToMacro(FlashDataMap DataMap, int KeyNumer);
    void SigSelectMouseInfo(DeviceAllInfo SelectInfo);
    void SigMouseOffLineo(int index);
    // A change was refused because the device's configuration is being read
    // again: the pages show what they held, the main window says why.
    void SigDeviceBeingRead();
    void SigMainPageChange();
    void SigSecondPageChange();
    void SigUpPageLight();
    void SigAddMacroButton();
    void SigDeleteMacroButton(QString MacroName);
    void SigMacroDownLoadData(QString MacroName, int index);
    // The macro page is about to write a save of MacroName (SigUpDataMacro
    // follows once it is written): the button page notes first that the
    // mouse lacks it.
    void SigMacroSaving(QString MacroName);
    void SigUpDataMacro(QString MacroName, int index);
    void SigUpDataParam(int index);
    void SigUpDataReportRate(int index);
    void SigUpDataDPI(int index);
    void SigUpDataDPILed(FlashDataMap DataMap);
    void SigTimerStop();
    void SigButtonEnable(int index);
    void SigLabelText(int index, QString Text);
    void SigLabelTextB(QString TextA, QString Text);
    void SigCloseUpdate();
    void SigProgress(int index, int value);
    void SigBattery(bool IsCharg, int Number, bool IsText);
    void SigAutoRepair(int index);
    void SigAutoRepairProgress(int index);
    void SigChangeLanguage(int index);
    void SigLanguageSameA(int index);
    void SigLanguageSameB(int index);
    void SigCloseOffOnline();
    void SigSetMacroPage();
    void SigStartRecord(int index);
    void SigUpDateButton(bool IsHide);
    void SigMacroRename(QString Rename, QString Name);
    void SigSetver(int index);
    void SigCloseProgress();
    void SigRGBValue(DongleRGB* Rgb);
    void SigLongRangeMode(bool Select);
    void SigForm();
    void SigFormB();
    void SigEnterKey();
    void SigFormReset();
    void SigHideModel(int index);
    void SigContinue(int);
    void SigMouseIndex(int index);
    void SigUpdateStart();
    void SigCheckUpdate();
    void SigRepairCheckUpdate();
    void SigSetNewVer();
    void SigLightToFrom(int index);
    void SigButtonCheck();
    void SigAllLanguage(int Index);

private:
    PostMsg();
};
