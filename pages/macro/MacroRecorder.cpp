#include "pages/macro/MacroRecorder.h"

#include "core/PostMsg.h"
#include "pages/macro/MacroPageContext.h"
#include "pages/macro/MacroRows.h"
#include "widgets/ExeIsRun.h"
#include "widgets/NoticeDialogs.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHash>
#include <QListWidget>
#include <QLoggingCategory>
#include <QSpinBox>

namespace {

// Traces of each recorded key, off unless QT_LOGGING_RULES enables them.
Q_LOGGING_CATEGORY(lcRecording, "quorvane.macro.recording", QtInfoMsg)

constexpr int kLongestDelayMs = 65535;

QHash<int, QString> BuildRecordingKeyNames()
{
    QHash<int, QString> names;
    for (int i = 0; i <= 9; ++i) {
        names.insert(0x30 + i, QString::number(i));
        names.insert(0x60 + i, "Num" + QString::number(i));
    }
    for (int i = 0; i < 26; ++i)
        names.insert(0x41 + i, QString(QChar('A' + i)));
    for (int i = 0; i < 12; ++i)
        names.insert(0x70 + i, "F" + QString::number(i + 1));
    const QList<QPair<int, QString>> others = {
        {8, "BackSpace"}, {9, "Tab"}, {12, ""}, {13, "Enter"}, {19, "Pause"}, {20, "CapsLock"},
        {27, "Esc"}, {32, "Space"}, {33, "PgUp"}, {34, "PgDn"}, {35, "End"}, {36, "Home"},
        {37, QStringLiteral("\u2190")}, {38, QStringLiteral("\u2191")}, {39, QStringLiteral("\u2192")},
        {40, QStringLiteral("\u2193")}, {44, "Screen"}, {45, "Insert"}, {46, "Del"},
        {91, "LWin"}, {92, "RWin"}, {93, "APPs"},
        {106, "Num*"}, {107, "Num+"}, {109, "Num-"}, {110, "Num."}, {111, "Num/"},
        {144, "NumLock"}, {145, "Scroll"}, {160, "LShift"}, {161, "RShift"}, {162, "LCtrl"},
        {163, "RCtrl"}, {164, "LAlt"}, {165, "RAlt"},
        {186, ";"}, {187, "="}, {188, ","}, {189, "-"}, {190, "."}, {191, "/"},
        {192, QStringLiteral("\u0060")}, {219, "["}, {220, "\\"}, {221, "]"}, {222, "'"},
    };
    for (const auto& other : others)
        names.insert(other.first, other.second);
    return names;
}

} // namespace

std::optional<QString> RecordingKeyName(int virtualKey)
{
    static const QHash<int, QString> names = BuildRecordingKeyNames();
    const auto found = names.constFind(virtualKey);
    if (found == names.constEnd())
        return std::nullopt;
    return *found;
}

MacroRecorder::MacroRecorder(MacroPageContext& context) : m_Context(context) {}

MacroRecorder::~MacroRecorder()
{
    // The hook's callback points here.
    m_Hook.Uninstall();
}

void MacroRecorder::Start()
{
    const MacroPageWidgets& ui = m_Context.ui;
    if (!m_Context.HasSelectedMacro()) {
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
    m_Hook.Install();
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
    m_KeyCount = 0;
    ShowIdleLook();
    m_Context.SetSaveActive(true);
}

void MacroRecorder::ResetOnLeavingPages()
{
    PostMsg::GetInstance()->EmitStartRecord(1);
    m_Hook.Uninstall();
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

    const MacroPageWidgets& ui = m_Context.ui;
    if (m_FirstKey) {
        m_FirstKey = false;
    } else {
        const qint64 delay = ui.AutoInsertDelay->isChecked() ? m_KeyTimer.elapsed() : ui.DelayTime->value();
        qCDebug(lcRecording) << "delay" << delay << "ms";
        AppendDelayItem(ui.listWidgetHong, ui.listWidgetKey, static_cast<double>(delay));
    }
    m_KeyTimer.start();

    const std::optional<QString> name = RecordingKeyName(keyCode);
    qCDebug(lcRecording) << "key" << keyCode << (downOrUp ? "down" : "up") << name.value_or("(no name)");
    if (!name) {
        // The delay row made above stays; the next named key gets none.
        m_FirstKey = true;
        return;
    }
    ++m_KeyCount;
    AppendKeyItem(ui.listWidgetHong, ui.listWidgetKey, *name, downOrUp);
    if (m_KeyCount < kMaxEvents)
        return;
    g_MacroRecording = false;
    m_KeyCount = 0;
    m_Hook.Uninstall();
    KeyNumberLimit notice;
    m_Context.RunNotice(notice);
}

void MacroRecorder::LimitDelayTime(int value)
{
    if (value >= kLongestDelayMs)
        m_Context.ui.DelayTime->setValue(kLongestDelayMs);
}
