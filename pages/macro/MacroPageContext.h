#pragma once

#include "pages/macro/MacroNames.h"
#include "pages/macro/MacroRows.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QDialog;
class QListWidget;
class QSpinBox;
class QWidget;
enum class MacroMessage;

// True while the macro page records key events: the page's editing commands
// refuse to work, and the main window drops every key press. Defined with the
// macro page. GUI thread only.
extern bool g_MacroRecording;

// The widgets of the macro page's form that its helpers work on, under the
// form's object names.
struct MacroPageWidgets
{
    QWidget* page = nullptr;              // the page itself: dialogs are placed over it
    QListWidget* listWidgetHong = nullptr; // the macros; the current item is the selected macro
    QListWidget* listWidgetKey = nullptr;  // the selected macro's event rows
    QButtonGroup* LoopModeGroup = nullptr;
    QAbstractButton* ReUntilLoose = nullptr;
    QAbstractButton* ReUntilClick = nullptr;
    QAbstractButton* ReUntil = nullptr;
    QAbstractButton* ReNumber = nullptr;
    QSpinBox* NumberEdit = nullptr;        // the repeat count, 1..250
    QAbstractButton* AutoInsertDelay = nullptr;
    QSpinBox* DelayTime = nullptr;         // the fixed delay of recordings
    QWidget* StartRecord = nullptr;
    QWidget* StopRecord = nullptr;
    QComboBox* ChooseEvent = nullptr;
    QAbstractButton* Save = nullptr;
};

// What the macro page's helpers share: its widgets, its folders and the two
// change trackers that decide what a save tells the button page. The page
// owns one and hands it to each helper.
class MacroPageContext
{
public:
    explicit MacroPageContext(const MacroPageWidgets& widgets);

    MacroPageWidgets ui;
    QString MacroDir;        // the per-user macro folder
    QString MacroFilePath;   // the macro file a file operation last opened
    // The macro whose rows the event list shows, empty when none. Save,
    // export and recording work on it. The macro list's current row is
    // the same macro: the page shows the macro the current row moves to.
    QString ShownMacro;
    // The rows each macro was last saved with: what its device block is built
    // from when the button page asks for it after a save.
    QHash<QString, QList<MacroRow>> SavedRows;
    QString PictureDir;      // the page's picture folder, with a trailing "/"
    QString ButtonTextColor; // "r,g,b" of the Option key ButtonColor
    // What changed since the last save; a save takes both when it starts.
    bool EventsChanged = false; // the rows
    bool LoopChanged = false;   // the loop mode or count
    QString MacroLabelPrefix;   // how the button page prefixes a macro's name
    // The commands of the macro list's context menu.
    QString MenuExportText, MenuRenameText, MenuDeleteText, MenuNewText, MenuImportText;

    // The key and delay dialogs of the button page. The page sets both: each
    // runs its dialog placed by PlaceInputDialog and gives true with the
    // chosen key name or delay (10..65535 ms) when the user accepted it.
    std::function<bool(QString& keyName)> AskKeyName;
    std::function<bool(int& delayMs)> AskDelay;

    // The macro list's current row.
    bool HasSelectedMacro() const;
    QString SelectedMacroName() const; // empty when none
    bool HasShownMacro() const { return !ShownMacro.isEmpty(); }
    QStringList MacroNames() const;    // the rows of the macro list
    QString FilePathOf(const QString& name) const; // see MacroFilePath

    // 254, 255 or 253 for the checked repeat mode, else the count.
    int LoopValue() const;
    // Checks the box of a loop value; a value that is no mode checks the
    // count box with that count when it is 1..250, else with 1. A mode keeps
    // the count as it is.
    void ShowLoopValue(int loopValue);
    // The same for a stored macro being shown: without the change signals,
    // so showing it is no change of the loop mode.
    void ShowStoredLoopValue(int loopValue);

    // Save's two looks: active (enabled, text in ButtonTextColor, hover and
    // pressed pictures) and inactive (disabled, grey).
    void SetSaveActive(bool active);

    // Runs a notice or the name prompt modally, centred over the page and
    // moved 100 px left and 50 px up.
    void RunNotice(QDialog& dialog) const;
    // Where the key and delay dialogs go: 50 px left and 70 px up of centre.
    void PlaceInputDialog(QDialog& dialog) const;

    // While a recording runs: shows the notice that it must be stopped first
    // and gives true.
    bool RefuseWhileRecording() const;
    // Shows why a name cannot be used, or which file operation failed.
    void ShowRefusal(MacroMessage message, const QStringList& arguments = {}) const;
    // The check of a name a macro is to take: refuses (with its notice) a name
    // that cannot be a file name, one whose path holds something other than
    // a macro file, and one that the list or the folder holds already,
    // ignoring case (the same-name notice). An empty name refuses silently:
    // it means that the user cancelled. True when the name is free.
    bool AcceptNewMacroName(const QString& name) const;
};
