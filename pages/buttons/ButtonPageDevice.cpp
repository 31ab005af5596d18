// The button page's whole-device controls: profile choice, factory reset,
// export and import of configurations.

#include "pages/buttons/Buttoninterface.h"

#include "core/PostMsg.h"
#include "device/DeviceLibrary.h"
#include "device/DeviceState.h"
#include "device/Senders.h"
#include "device/SettingsFile.h"
#include "widgets/UpDataParam.h"
#include "device/Worker.h"
#include "pages/buttons/Ui_Buttoninterface.h"
#include "widgets/ConfirmDialogs.h"
#include "widgets/DialogFamily.h"
#include "widgets/MyConmboBox.h"
#include "widgets/NoticeDialogs.h"
#include "widgets/PageDialogs.h"
#include "widgets/SaveFileDialog.h"

#include <QDir>
#include <QTimer>

namespace {

bool DeviceOnline()
{
    return UsbFinderC_GetDeviceOnLine(g_DevicePathC.Snapshot().constData());
}

// Where the file dialogs open: the drive the settings files were always kept
// on under Windows, the home folder elsewhere.
QString SettingsFileStartFolder()
{
#ifdef Q_OS_WIN
    return "G:";
#else
    return QDir::homePath();
#endif
}

void ShowOffline()
{
    PostMsg::GetInstance()->EmitMouseOffLineo(0);
}

} // namespace

void Buttoninterface::on_ProjectChoose_activated(int index)
{
    if (DeviceOnline() || g_ButtonPageLoading) {
        UsbServer_SetCurrentConfig(static_cast<unsigned char>(index));
        return;
    }
    ui->ProjectChoose->setCurrentIndex(ui->ProjectChoose->PressIndex);
    ShowOffline();
}

void Buttoninterface::on_Reset_clicked()
{
    if (!DeviceOnline()) {
        ShowOffline();
        return;
    }
    ContainReset question;
    PlaceDialog(&question, this, -75, -65);
    // Closed because the device left, or cancelled: nothing is sent.
    if (!RunPageDialog(question) || !question.Confirmed)
        return;
    // The device may have fallen asleep while the question was open.
    if (!DeviceOnline()) {
        ShowOffline();
        return;
    }
    g_SuppressApplyNotice = true;
    if (g_OnlineCheckTimer)
        g_OnlineCheckTimer->stop();
    UsbServer_SetBatteryOptimizeEnable(0);
    // The clear restores every profile, whatever went before it. While the
    // device is read again the record held may be another profile's: it is
    // not sent, and no notice says that the reset was not made.
    if (DeviceTakesChanges())
        SendFlashData();
    UsbServer_SetClearSetting();
    UpDataParam wait;
    wait.StartTimer();
    wait.SetWaitOnly();
    StartWorkerPass();
    PlaceDialog(&wait, this, -75, -65);
    wait.RunOverPages();
    g_SuppressApplyNotice = false;
    if (g_OnlineCheckTimer)
        g_OnlineCheckTimer->start();
}

void Buttoninterface::on_ImportData_clicked()
{
    if (!DeviceOnline()) {
        ShowOffline();
        return;
    }
    g_SuppressApplyNotice = true;
    // Empty also when the device left while the file was chosen.
    const QString path = AskOpenPath(this, "SelectFile", SettingsFileStartFolder(), "File(*.bin)");
    if (!path.isEmpty()) {
        g_UpDataParamImportMode = 1;
        UpDataParam wait;
        wait.StartTimer();
        wait.SetImportFile(path);
        PlaceDialog(&wait, this, -75, -65);
        wait.RunOverPages();
        g_UpDataParamImportMode = 0;
    }
    g_SuppressApplyNotice = false;
}

void Buttoninterface::on_OutputData_clicked()
{
    // Nothing may be exported now (offline without a record of this model,
    // or the device is being read again): the user is told before choosing
    // a file.
    FlashDataMap record{};
    if (!TakeRecordToExport(record))
        return;
    SaveSettingsFile(AskSavePath(this, "FileSave", SettingsFileStartFolder(), "File(*.bin)", SettingsFileSuffix));
}

void Buttoninterface::SaveSettingsFile(const QString& chosenPath)
{
    // Asked once the file dialog has closed: the mouse may have changed
    // profile or fallen asleep while it was open. The file chosen keeps what
    // it held when nothing may be written.
    FlashDataMap record{};
    if (chosenPath.isEmpty() || !TakeRecordToExport(record))
        return;
    if (ExportSettingsFile(WithSettingsFileSuffix(chosenPath), record))
        return;
    ExportFail notice;
    PlaceDialog(&notice, this, -75, -65);
    RunPageDialog(notice);
}
