#pragma once

#include "device/DeviceRecords.h"

#include <QString>

class MacroFiles;
class MacroPageContext;

// Moves macros between the macro page and the device's record, on the button
// page's requests.
class MacroDeviceTransfer
{
public:
    MacroDeviceTransfer(MacroPageContext& context, MacroFiles& files);

    // SigMacroDownLoadData, which the button page emits a while after a save
    // (at once when the pages are left or the macro is renamed):
    // sends the block of macro name (without NULs) to the device for button
    // index, keeping that button's function bytes. The block holds the rows
    // that macro was last saved with, whatever the page shows by then: the
    // rows of this run's last save, else its file (a save of an earlier run
    // that the device missed), built by BuildMacroBlock. Nothing is sent for
    // a macro without file, or while sending is disabled. A block the device
    // refuses leaves the shown macro's rows changed and Save active, as
    // before the save.
    void SlotMacroDownLoadData(QString MacroName, int index);

    // SigButtonToMacro: takes the macro of button KeyNumer from a copy of the
    // device's record. The macro gets a row in the macro list when it has
    // none, and its events are appended to its text file (which the button
    // page has just rewritten to its loop line). Afterwards no macro is
    // selected and the event list is empty, and the button page is told to
    // rebuild its macro buttons. A device name that DeviceMacroMayRebuildFile
    // refuses gets no row and writes no file.
    void SlotButtonToMacro(FlashDataMap DataMap, int KeyNumer);

private:
    MacroPageContext& m_Context;
    MacroFiles& m_Files;
};
