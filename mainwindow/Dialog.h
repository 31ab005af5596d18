#pragma once

#include <QString>
#include <QWidget>

class Buttoninterface;
class FormSetting;
class Macro;
class QButtonGroup;
class Sensor;
class Ui_Dialog;
class UpDataParam;

// The page shell: the main window's second page, shown while a device is
// open. It stacks the four configuration pages (buttons 0, sensor 1, macro 2,
// settings 3) under a top bar of page buttons, shows the device's battery,
// runs the wait dialog the device thread asks for, locks the page buttons
// while the macro page records, and leads back to the device list. There is
// one for the life of the process; it is hidden, not destroyed, while the
// device list shows.
//
// The constructor builds only the frame; the pages follow one at a time with
// BuildNextPart, so that building them never holds the window up for long,
// or all at once with FinishBuilding. Until the last part is built the shell
// takes no hub signal and its page accessors may return null.
class Dialog : public QWidget
{
    Q_OBJECT

public:
    explicit Dialog(QWidget* parent = nullptr);
    ~Dialog() override;

    // Builds the next page, or the last part (stack, wait dialog, hub
    // connections); false once the shell is complete.
    bool BuildNextPart();
    void FinishBuilding();
    bool Built() const { return m_NextPart > LastPart; }

    Buttoninterface* ButtonPage() const { return m_ButtonPage; }
    Sensor* SensorPage() const { return m_SensorPage; }
    Macro* MacroPage() const { return m_MacroPage; }
    FormSetting* SettingsPage() const { return m_SettingsPage; }
    UpDataParam* WaitDialog() const { return m_WaitDialog; }
    // The pages wait for the device behind the wait dialog (hidden while
    // the window is).
    bool WaitingForDevice() const;
    // Every way out of the pages (back arrow, a device gone, the end of a
    // firmware update, closing the program) ends what the pages run: a
    // recording of the macro page stops as with its stop button, the pages'
    // open dialogs close as cancelled, and saved macros still waiting for
    // their download are sent while the device listens. The back arrow does
    // this before the device hears of it.
    void LeavePages();

public slots:
    void WindowMin();
    void on_ButtonMain_clicked();
    void on_SensorButton_clicked();
    void on_MacroButton_clicked();
    void on_UpArrow_clicked();
    void SlotSecondDialog();
    void SlotUpDataParam(int index);
    void SlotStartRecord(int index);
    void SlotBattery(bool IsCharg, int Number, bool IsText);
    // A newly opened device has reported no battery yet: the previous
    // device's level and charging mark must not show for it.
    void ShowNoBatteryReport();
    void on_CloseButton_clicked();
    void on_FormSetting_clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The pages are built in the order their hub connections have always
    // been made: buttons, macro, sensor, settings.
    enum Part { ButtonPart, MacroPart, SensorPart, SettingsPart, StackPart, LastPart = StackPart };

    void ApplyStyleSheets();
    void StackPagesAndConnect();

    Ui_Dialog* ui;
    QButtonGroup* m_PageButtons = nullptr;
    Buttoninterface* m_ButtonPage = nullptr;
    Macro* m_MacroPage = nullptr;
    Sensor* m_SensorPage = nullptr;
    FormSetting* m_SettingsPage = nullptr;
    UpDataParam* m_WaitDialog = nullptr;
    QString m_PictureFolder;
    int m_NextPart = ButtonPart;
    bool m_Waiting = false;
};
