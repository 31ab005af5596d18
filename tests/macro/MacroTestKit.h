#pragma once

// The macro page's helpers over a stand-in of the page's form, and a script
// that answers the modal dialogs they open.

#include "common/TestFolders.h"
#include "pages/buttons/KeptMacroSaves.h"
#include "pages/macro/MacroDeviceTransfer.h"
#include "pages/macro/MacroEditor.h"
#include "pages/macro/MacroExchange.h"
#include "pages/macro/MacroExportFile.h"
#include "pages/macro/MacroFiles.h"
#include "pages/macro/MacroPageContext.h"
#include "pages/macro/MacroRecorder.h"
#include "pages/macro/MacroRows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>

#include <memory>

// Rows written short: "A+" a press of A, "A-" its release, anything with "ms"
// a delay row.
inline QListWidgetItem* RowFromShortText(const QString& text)
{
    if (IsDelayRowText(text))
        return NewDelayRow(text);
    return NewEventRow(text.left(text.size() - 1), text.endsWith('+'));
}

inline QStringList ShortTexts(const QListWidget* list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem* item = list->item(row);
        texts << (IsDelayRowText(item->text()) ? item->text()
                                               : item->text() + (IsReleaseRow(item) ? "-" : "+"));
    }
    return texts;
}

inline void SetShortRows(QListWidget* list, const QStringList& texts)
{
    list->clear();
    for (const QString& text : texts)
        list->addItem(RowFromShortText(text));
}

// A fresh, empty macro folder in the test's own user folder, and the
// pictures of the macro page and of the notices in its program folder.
inline QString FreshMacroFolder()
{
    static const bool prepared = [] {
        UseTemporaryFolders();
        return CopyShippedFiles("Picture/Macro") && CopyShippedFiles("Picture/WarningDialog");
    }();
    Q_UNUSED(prepared);
    QDir folder(MacroFolder());
    folder.removeRecursively();
    QDir().mkpath(folder.path());
    // No save of an earlier test waits for a device.
    QFile::remove(KeptMacroSavesPath());
    QDir().rmdir(KeptMacroSavesPath());
    return folder.path();
}

inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
}

// The widgets of the macro page's form with the helpers over them, wired as
// the page wires them. Starts with the folder's macros listed.
class MacroPageFixture
{
public:
    MacroPageFixture()
        : m_Widgets(BuildWidgets())
        , context(m_Widgets)
        , files(context)
        , editor(context, files)
        , recorder(context)
        , exchange(context, files)
        , transfer(context, files)
    {
        QObject::connect(LoopModeGroup, &QButtonGroup::idToggled, &page,
                         [this](int, bool) { editor.MarkLoopChanged(); });
        QObject::connect(NumberEdit, QOverload<int>::of(&QSpinBox::valueChanged), &page,
                         [this](int) { editor.MarkLoopChanged(); });
        QObject::connect(listWidgetKey, &QListWidget::itemChanged, &page, [this] { editor.MarkEventsChanged(); });
        context.AskKeyName = [this](QString& name) {
            if (keyAnswers.isEmpty())
                return false;
            name = keyAnswers.takeFirst();
            return true;
        };
        context.AskDelay = [this](int& delay) {
            if (delayAnswers.isEmpty())
                return false;
            delay = delayAnswers.takeFirst();
            return true;
        };
        context.MacroLabelPrefix = "Macro: ";
        page.resize(883, 630);
        files.LoadMacroList();
        context.SetSaveActive(false);
    }

    ~MacroPageFixture() { g_MacroRecording = false; }

    // Makes the macro current and shown, as a click does, without loading
    // its file: the test fills the event list itself.
    void Select(const QString& name)
    {
        const QList<QListWidgetItem*> found = listWidgetHong->findItems(name, Qt::MatchExactly);
        listWidgetHong->setCurrentItem(found.value(0));
        context.ShownMacro = found.isEmpty() ? QString() : name;
    }

    QWidget page;
    QListWidget* listWidgetHong = new QListWidget(&page);
    QListWidget* listWidgetKey = new QListWidget(&page);
    QButtonGroup* LoopModeGroup = new QButtonGroup(&page);
    QCheckBox* ReUntilLoose = new QCheckBox(&page);
    QCheckBox* ReUntilClick = new QCheckBox(&page);
    QCheckBox* ReUntil = new QCheckBox(&page);
    QCheckBox* ReNumber = new QCheckBox(&page);
    QSpinBox* NumberEdit = new QSpinBox(&page);
    QButtonGroup* DelayModeGroup = new QButtonGroup(&page);
    QCheckBox* AutoInsertDelay = new QCheckBox(&page);
    QCheckBox* DefaultDelay = new QCheckBox(&page);
    QSpinBox* DelayTime = new QSpinBox(&page);
    QPushButton* StartRecord = new QPushButton(&page);
    QPushButton* StopRecord = new QPushButton(&page);
    QComboBox* ChooseEvent = new QComboBox(&page);
    QToolButton* Save = new QToolButton(&page);

private:
    MacroPageWidgets BuildWidgets()
    {
        for (QCheckBox* box : {ReUntilLoose, ReUntilClick, ReNumber, ReUntil})
            LoopModeGroup->addButton(box);
        DelayModeGroup->addButton(AutoInsertDelay);
        DelayModeGroup->addButton(DefaultDelay);
        ReNumber->setChecked(true);
        AutoInsertDelay->setChecked(true);
        NumberEdit->setRange(1, 250);
        DelayTime->setRange(10, 99999);
        DelayTime->setGeometry(660, 167, 76, 30);
        NumberEdit->setGeometry(660, 362, 76, 30);
        StopRecord->hide();
        ReUntilLoose->setObjectName("ReUntilLoose");
        ReUntilClick->setObjectName("ReUntilClick");
        ReUntil->setObjectName("ReUntil");
        ReNumber->setObjectName("ReNumber");
        return {&page, listWidgetHong, listWidgetKey, LoopModeGroup, ReUntilLoose, ReUntilClick, ReUntil,
                ReNumber, NumberEdit, AutoInsertDelay, DelayTime, StartRecord, StopRecord, ChooseEvent, Save};
    }

    MacroPageWidgets m_Widgets;

public:
    MacroPageContext context;
    MacroFiles files;
    MacroEditor editor;
    MacroRecorder recorder;
    MacroExchange exchange;
    MacroDeviceTransfer transfer;
    QStringList keyAnswers;   // what the key dialog answers, in order
    QList<int> delayAnswers;  // what the delay dialog answers, in order
};

// Answers the modal dialogs that the code under test opens: each step types
// its text into the dialog's "lineEdit" (when it has one) and clicks the named
// button. Records the class of every dialog answered.
class DialogScript : public QObject
{
public:
    struct Step
    {
        QString button;
        QString typed;
    };

    DialogScript(std::initializer_list<Step> steps) : m_Steps(steps)
    {
        connect(&m_Poll, &QTimer::timeout, this, &DialogScript::Answer);
        m_Poll.start(5);
    }

    QStringList shown; // class names, in order
    QStringList labels; // the text of each dialog's "label"

private:
    void Answer()
    {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || m_Steps.isEmpty())
            return;
        const Step step = m_Steps.takeFirst();
        shown << dialog->metaObject()->className();
        const QWidget* label = dialog->findChild<QWidget*>("label");
        labels << (label ? label->property("text").toString() : QString());
        if (auto* edit = dialog->findChild<QLineEdit*>("lineEdit"))
            edit->setText(step.typed);
        if (auto* button = dialog->findChild<QAbstractButton*>(step.button))
            button->click();
        else
            dialog->close();
    }

    QTimer m_Poll;
    QList<Step> m_Steps;
};
