#include "pages/macro/MacroRecorder.h"

#include "core/PostMsg.h"
#include "core/Timing.h"
#include "pages/buttons/CaptureKeyNames.h"
#include "pages/macro/MacroPageContext.h"
#include "pages/macro/MacroRows.h"
#include "widgets/ExeIsRun.h"
#include "widgets/NoticeDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QLoggingCategory>
#include <QSpinBox>

namespace {

// Traces of each recorded key, off unless QT_LOGGING_RULES enables them.
Q_LOGGING_CATEGORY(lcRecording, "quorvane.macro.recording", QtInfoMsg)

constexpr int kLongestDelayMs = 65535;

// Keeps the keys typed during a recording from the widgets of one window:
// Tab would move the focus, Space tick a box, Return press a button. The
// hook has seen each key already, where it reached the window; shortcuts are
// held off as well.
class TypedKeysBlock : public QObject
{
public:
    explicit TypedKeysBlock(const QWidget* page) : m_Page(page) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        const bool key = type == QEvent::KeyPress || type == QEvent::KeyRelease || type == QEvent::ShortcutOverride;
        if (!key || !watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != m_Page->window())
            return false;
        event->accept(); // an accepted ShortcutOverride triggers no shortcut
        return true;
    }

private:
    const QWidget* m_Page;
};

} // namespace

std::optional<QString> RecordingKeyName(int virtualKey)
{
    // The Clear key is recorded, under the empty name.
    constexpr int kClearKey = 12;
    if (virtualKey == kClearKey)
        return QString();
    const QString name = SingleKeyName(virtualKey);
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

MacroRecorder::MacroRecorder(MacroPageContext& context) : m_Context(context) {}

MacroRecorder::~MacroRecorder()
{
    // The hook's callback points here.
    m_Hook.Uninstall();
    BlockTypedKeys(false);
}

void MacroRecorder::BlockTypedKeys(bool block)
{
    if (!block) {
        m_TypedKeysBlock.reset();
        return;
    }
    if (m_TypedKeysBlock || !qApp)
        return;
    m_TypedKeysBlock = std::make_unique<TypedKeysBlock>(m_Context.ui.page);
    qApp->installEventFilter(m_TypedKeysBlock.get());
}

void MacroRecorder::Start()
{
    const MacroPageWidgets& ui = m_Context.ui;
    if (!m_Context.HasShownMacro()) {
        ExeIsRun notice;
        notice.ShowLabel2Text();
        m_Context.RunNotice(notice);
        return;
    }
    PostMsg::GetInstance()->EmitStartRecord(0);
    m_KeyCount = 0;
    ui.ChooseEvent->setEnabled(false);
    m_Context.EventsChanged = true;
    m_Hook.SetCallback([this](int keyCode, bool down, bool repeat) { OnKey(keyCode, down, repeat); });
    // A held key is one press and one release, also under X11.
    m_Hook.SetReleaseWait(Timing().keyRepeatPairMs);
    m_Hook.Install();
    BlockTypedKeys(true);
    ui.StartRecord->hide();
    ui.StopRecord->show();
    g_MacroRecording = true;
    m_FirstKey = true;
    ui.listWidgetKey->clear();
    ui.DelayTime->hide();
    ui.NumberEdit->hide();
    ui.listWidgetHong->setEnabled(false);
    m_LastKeyCode = -1;
}

void MacroRecorder::Stop()
{
    PostMsg::GetInstance()->EmitStartRecord(1);
    m_Hook.Uninstall();
    BlockTypedKeys(false);
    m_KeyCount = 0;
    ShowIdleLook();
    m_Context.SetSaveActive(true);
}

void MacroRecorder::ResetOnLeavingPages()
{
    PostMsg::GetInstance()->EmitStartRecord(1);
    m_Hook.Uninstall();
    BlockTypedKeys(false);
    ShowIdleLook();
    m_Context.SetSaveActive(false);
}

void MacroRecorder::ShowIdleLook()
{
    const MacroPageWidgets& ui = m_Context.ui;
    ui.StopRecord->hide();
    ui.StartRecord->show();
    ui.DelayTime->show();
    ui.NumberEdit->show();
    ui.listWidgetHong->setEnabled(true);
    ui.ChooseEvent->setEnabled(true);
    g_MacroRecording = false;
    m_LastKeyCode = -1;
}

void MacroRecorder::OnKey(int keyCode, bool downOrUp, bool /*aotu*/)
{
    if (!g_MacroRecording)
        return;
    if (keyCode == m_LastKeyCode) {
        if (downOrUp)
            return; // a held key repeats its press
        m_LastKeyCode = 0;
    } else {
        m_LastKeyCode = keyCode;
    }

    const std::optional<QString> name = RecordingKeyName(keyCode);
    qCDebug(lcRecording) << "key" << keyCode << (downOrUp ? "down" : "up") << name.value_or("(no name)");
    // A key without a name leaves no row, not even a delay: the time it took
    // goes to the delay before the next named key, and a recording never
    // ends with a delay (the device would play it as an event of no key).
    if (!name)
        return;

    const MacroPageWidgets& ui = m_Context.ui;
    if (m_FirstKey) {
        m_FirstKey = false;
    } else {
        const qint64 delay = ui.AutoInsertDelay->isChecked() ? m_KeyTimer.elapsed() : ui.DelayTime->value();
        qCDebug(lcRecording) << "delay" << delay << "ms";
        AppendDelayItem(ui.listWidgetHong, ui.listWidgetKey, static_cast<double>(delay));
    }
    m_KeyTimer.start();
    ++m_KeyCount;
    AppendKeyItem(ui.listWidgetHong, ui.listWidgetKey, *name, downOrUp);
    if (m_KeyCount < kMaxEvents)
        return;
    g_MacroRecording = false;
    m_KeyCount = 0;
    m_Hook.Uninstall();
    BlockTypedKeys(false);
    KeyNumberLimit notice;
    m_Context.RunNotice(notice);
}

void MacroRecorder::LimitDelayTime(int value)
{
    if (value >= kLongestDelayMs)
        m_Context.ui.DelayTime->setValue(kLongestDelayMs);
}
