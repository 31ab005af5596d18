#include "widgets/UpDataParam.h"

#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "core/Timing.h"
#include "device/DeviceCache.h"
#include "device/DeviceLibrary.h"
#include "device/OfflineCopy.h"
#include "device/DeviceState.h"
#include "device/Senders.h"
#include "device/SettingsFile.h"
#include "widgets/DialogFamily.h"
#include "widgets/FormStyles.h"
#include "widgets/NoticeDialogs.h"
#include "widgets/PageDialogs.h"

#include <QEventLoop>
#include <QFrame>
#include <QLabel>
#include <QTimer>

int g_UpDataParamImportMode = 0;

namespace {

// The sensor, button and settings pages show record without waiting for the
// device.
void ShowOnPages(const FlashDataMap& record)
{
    PostMsg* hub = PostMsg::GetInstance();
    hub->EmitUpDataLightUIA(record);
    hub->EmitUpDataSensorUIB(record);
    hub->EmitUpDataButtonUIC(record);
    hub->EmitFormB();
}

} // namespace

void UpDataParamWaitMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void Ui_UpDataParam::setupUi(QDialog* dialog)
{
    if (dialog->objectName().isEmpty())
        dialog->setObjectName("UpDataParam");
    dialog->resize(300, 140);
    UpDataParamA = new QFrame(dialog);
    UpDataParamA->setObjectName("UpDataParamA");
    UpDataParamA->setGeometry(0, 0, 300, 140);
    UpDataParamA->setFixedSize(300, 140);
    UpDataParamA->setFrameShape(QFrame::StyledPanel);
    UpDataParamA->setFrameShadow(QFrame::Raised);
    label = new QLabel(UpDataParamA);
    label->setObjectName("label");
    label->setGeometry(0, 30, 301, 61);
    QFont font;
    font.setFamily(QString::fromUtf8("微软雅黑"));
    font.setPointSize(11);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    retranslateUi(dialog);
}

void Ui_UpDataParam::retranslateUi(QDialog* dialog)
{
    dialog->setWindowTitle("Dialog");
    label->setText("Please wait, we are updating the setting");
}

UpDataParam::UpDataParam(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui_UpDataParam)
    , m_Timer(new QTimer(this))
{
    ui->setupUi(this);
    ApplyDialogFamilyLook(this, {ui->UpDataParamA, nullptr, nullptr, {}});
    ui->label->setStyleSheet("QLabel{color: rgb(" + OptionColorText("LabelColor") + ");}");

    m_Timer->setSingleShot(true);
    connect(m_Timer, SIGNAL(timeout()), this, SLOT(onTimeupDestroy()));
    connect(PostMsg::GetInstance(), SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(g_LanguageIndex);
}

UpDataParam::~UpDataParam()
{
    delete ui;
}

void UpDataParam::StartTimer()
{
    // A run under way is not interrupted by another: the next one follows it.
    if (m_Running)
        m_RunAgain = true;
    else
        m_Timer->start(Timing().settingsWaitStartMs);
}

void UpDataParam::SetWaitOnly()
{
    m_WaitOnlyMark = true;
}

void UpDataParam::SetImportFile(const QString& path)
{
    m_ImportMark = true;
    m_ImportPath = path;
}

void UpDataParam::SlotAllLanguage(int /*index: always the current language*/)
{
    ui->label->setText(LanguageText(g_LangTextsUpDataParam, g_UpDataParamImportMode == 1 ? 1 : 0, ui->label->text()));
}

void UpDataParam::onTimeupDestroy()
{
    m_Running = true;
    PostMsg::GetInstance()->EmitSetver(4);
    if (m_WaitOnlyMark) {
        m_WaitOnlyMark = false;
        RunWaitOnly();
    } else if (m_ImportMark) {
        m_ImportMark = false;
        RunImport();
    } else {
        RunNormal();
    }
}

// Both pages have taken a full read, checked once per step; false also when
// the dialog was closed meanwhile.
bool UpDataParam::WaitForPages()
{
    const Timings timing = Timing();
    for (int step = 0; step < timing.pageWaitSteps && !m_Abandoned; ++step) {
        if (g_SensorPageUpdated && g_ButtonPageUpdated)
            return true;
        WaitWhileOpen(timing.pageWaitStepMs);
    }
    return false;
}

// As UpDataParamWaitMs, but over as soon as the pages are left.
void UpDataParam::WaitWhileOpen(int ms)
{
    if (m_Abandoned)
        return;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    connect(this, &QDialog::finished, &loop, [this, &loop] {
        if (m_Abandoned)
            loop.quit();
    });
    loop.exec();
}

bool UpDataParam::RunOverPages()
{
    m_EndsWithPages = true;
    return RunPageDialog(*this);
}

// Closed by leaving the pages: a run under way stops waiting, and one not
// yet begun never begins.
void UpDataParam::done(int result)
{
    if (m_EndsWithPages) {
        m_Abandoned = m_Running;
        m_Timer->stop();
    }
    QDialog::done(result);
}

void UpDataParam::RunWaitOnly()
{
    const bool pagesUpdated = WaitForPages();
    // The window keeps repainting and the device side's blocking signals keep
    // reaching the pages while the device settles.
    WaitWhileOpen(Timing().pageWaitSettleMs);
    if (EndAbandonedRun())
        return;
    FinishRun();
    if (!pagesUpdated)
        PostMsg::GetInstance()->EmitMouseOffLineo(0);
}

void UpDataParam::RunImport()
{
    FlashDataMap record{};
    g_ImportResult = ImportSettingsFile(m_ImportPath, record);
    if (g_ImportResult != SettingsImported) {
        InportFail notice;
        PlaceDialog(&notice, this);
        RunPageDialog(notice);
    } else if (CheckDeviceOnline()) {
        // Asked now: the device may have left while the file was chosen, and
        // what it never receives is neither shown nor held (the offline notice
        // says why).
        g_FlashData.Set(record);
        ProtocolDataUpdate(&record);
        ShowOnPages(record);
        const Timings timing = Timing();
        for (int step = 0; step < timing.importSettleSteps; ++step)
            WaitWhileOpen(timing.pageWaitStepMs);
    }
    if (EndAbandonedRun())
        return;
    FinishRun();
}

void UpDataParam::RunNormal()
{
    PostMsg* hub = PostMsg::GetInstance();
    if (!g_DeviceReachable) {
        FlashDataMap cached{};
        if (TakeOfflineRecord(cached))
            ShowOnPages(cached);
        hub->EmitMouseOffLineo(0);
        FinishRun();
        return;
    }

    const bool pagesUpdated = WaitForPages();
    if (EndAbandonedRun())
        return;
    if (pagesUpdated) {
        g_SensorPageUpdated = false;
        g_ButtonPageUpdated = false;
    }
    FinishRun();
    if (!pagesUpdated)
        hub->EmitMouseOffLineo(1);
    // A model's first successful connection creates its offline cache.
    FlashDataMap cached{};
    if (g_DeviceOnline && !LoadDeviceCache(g_DeviceCacheName.Snapshot(), cached))
        WriteOfflineCopy();
}

// A run whose dialog was closed under it ends there: the device it waited
// for has gone with the pages, so nothing more is said about it.
bool UpDataParam::EndAbandonedRun()
{
    if (!m_Abandoned)
        return false;
    m_Abandoned = false;
    m_Running = false;
    m_RunAgain = false;
    return true;
}

void UpDataParam::FinishRun()
{
    m_Running = false;
    if (m_RunAgain) {
        m_RunAgain = false;
        m_Timer->start(Timing().settingsWaitStartMs);
    } else {
        // Not close(): a dialog hidden with its window would not finish.
        reject();
    }
}
