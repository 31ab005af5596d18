#include "pages/macro/MacroPageContext.h"

#include "pages/macro/MacroFile.h"
#include "pages/macro/MacroNotice.h"
#include "pages/macro/MacroRows.h"
#include "widgets/DialogFamily.h"
#include "widgets/ExeIsRun.h"
#include "widgets/FormStyles.h"
#include "widgets/NoticeDialogs.h"
#include "widgets/PageDialogs.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QListWidget>
#include <QSpinBox>

MacroPageContext::MacroPageContext(const MacroPageWidgets& widgets)
    : ui(widgets)
    , MacroDir(MacroFolder())
    , PictureDir(MacroPictureFolder())
    , ButtonTextColor(OptionColorText("ButtonColor"))
{
}

bool MacroPageContext::HasSelectedMacro() const
{
    return ui.listWidgetHong->currentRow() >= 0;
}

QString MacroPageContext::SelectedMacroName() const
{
    const QListWidgetItem* item = ui.listWidgetHong->currentItem();
    return HasSelectedMacro() && item ? item->text() : QString();
}

QStringList MacroPageContext::MacroNames() const
{
    QStringList names;
    for (int row = 0; row < ui.listWidgetHong->count(); ++row)
        names << ui.listWidgetHong->item(row)->text();
    return names;
}

QString MacroPageContext::FilePathOf(const QString& name) const
{
    return ::MacroFilePath(MacroDir, name);
}

int MacroPageContext::LoopValue() const
{
    if (ui.ReUntilLoose->isChecked())
        return kLoopWhileHeld;
    if (ui.ReUntilClick->isChecked())
        return kLoopUntilNextClick;
    if (ui.ReUntil->isChecked())
        return kLoopUntilStopped;
    return ui.NumberEdit->value();
}

void MacroPageContext::ShowLoopValue(int loopValue)
{
    switch (loopValue) {
    case kLoopWhileHeld:
        ui.ReUntilLoose->setChecked(true);
        return;
    case kLoopUntilNextClick:
        ui.ReUntilClick->setChecked(true);
        return;
    case kLoopUntilStopped:
        ui.ReUntil->setChecked(true);
        return;
    default:
        ui.ReNumber->setChecked(true);
        ui.NumberEdit->setValue(LoopValueAsShown(loopValue));
    }
}

void MacroPageContext::ShowStoredLoopValue(int loopValue)
{
    const QSignalBlocker blockModes(ui.LoopModeGroup);
    const QSignalBlocker blockCount(ui.NumberEdit);
    ShowLoopValue(loopValue);
}

void MacroPageContext::SetSaveActive(bool active)
{
    const ButtonPictures pictures = active ? ButtonPictures{"Button.png", "ButtonHover.png", "ButtonClick.png", {}}
                                           : ButtonPictures{"Button.png", {}, {}, {}};
    ui.Save->setStyleSheet(ColoredButtonStyle("QToolButton", PictureProperty::Background, PictureDir,
                                              active ? ButtonTextColor : QStringLiteral("127,127,127"), pictures));
    ui.Save->setEnabled(active);
}

void MacroPageContext::RunNotice(QDialog& dialog) const
{
    PlaceDialog(&dialog, ui.page, -100, -50);
    RunPageDialog(dialog);
}

void MacroPageContext::PlaceInputDialog(QDialog& dialog) const
{
    PlaceDialog(&dialog, ui.page, -50, -70);
}

bool MacroPageContext::RefuseWhileRecording() const
{
    if (!g_MacroRecording)
        return false;
    ExeIsRun notice;
    notice.ShowPleaseStopText();
    RunNotice(notice);
    return true;
}

void MacroPageContext::ShowRefusal(MacroMessage message, const QStringList& arguments) const
{
    MacroNotice notice(message, arguments);
    RunNotice(notice);
}

bool MacroPageContext::AcceptNewMacroName(const QString& name) const
{
    const MacroNameProblem problem = CheckMacroName(name);
    if (problem == MacroNameProblem::Empty)
        return false;
    if (problem != MacroNameProblem::None) {
        ShowRefusal(MessageOfNameProblem(problem));
        return false;
    }
    // The listing leaves links out, so a link's name looks free: opening its
    // file would empty whatever it points to.
    const MacroPathState path = StateOfMacroPath(FilePathOf(name));
    if (path == MacroPathState::NotMacroFile) {
        ShowRefusal(MacroMessage::PathInUse);
        return false;
    }
    if (path == MacroPathState::MacroFile || MacroNameTaken(MacroNames(), name)) {
        SameMacro notice;
        RunNotice(notice);
        return false;
    }
    return true;
}
