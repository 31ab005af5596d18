#include "pages/sensor/Sensor.h"

#include "core/LanguageTables.h"
#include "core/PostMsg.h"
#include "pages/sensor/DpiLedFrames.h"
#include "pages/sensor/LiftOffFrames.h"
#include "pages/sensor/OnOffFrames.h"
#include "pages/sensor/ReportRateFrames.h"
#include "pages/sensor/SensorDpiFrame.h"
#include "pages/sensor/SensorModeOptions.h"
#include "pages/sensor/Ui_Sensor.h"
#include "platform/PlainFile.h"
#include "platform/UserDataFolder.h"
#include "widgets/FormStyles.h"
#include "widgets/MyConmboBox.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QTextStream>
#include <QToolButton>

#include <functional>

Sensor::Sensor(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui_Sensor)
{
    ui->setupUi(this);
    // The DPI-LED effect frame is kept filled but never offered on this page.
    ui->frameEffect->hide();
    ui->TitleButton_3->hide();

    m_PictureFolder = PictureFolder(QStringLiteral("Sensor"));
    m_SensorPageFolder = UserDataFolder() + QStringLiteral("/usersetting/SensorPage");
    connect(PostMsg::GetInstance(), SIGNAL(SigHideModel(int)), this, SLOT(SlotHideModel(int)));
    QDir().mkpath(m_SensorPageFolder);
    LoadLevelIni();

    m_Header = ReadSensorHeader(SensorHeaderPath());
    g_SensorDefineNames.clear();
    g_SensorDefineValues.clear();
    for (const SensorDefine& define : m_Header.defines) {
        g_SensorDefineNames.append(define.name);
        g_SensorDefineValues.append(define.value);
    }
    m_Header.defines.clear();

    StyleControls();
    m_ModeOptions = std::make_unique<SensorModeOptions>(ui->ModelChoose, m_ModeListView, ui->Performance,
                                                        ui->PerformanceOpen);
    ConnectHub();
    SlotAllLanguage(g_LanguageIndex);
}

Sensor::~Sensor()
{
    delete ui;
}

void Sensor::StyleControls()
{
    const ComboBoxColors colors = OptionComboBoxColors();
    m_ModeListView = StyleComboBox(ui->ModelChoose, m_PictureFolder, colors);
    StyleComboBox(ui->PerformanceOpen, m_PictureFolder, colors);
    ui->PerformanceOpen->setMaxVisibleItems(5);

    const QString labelColor = OptionColorText(QStringLiteral("LabelColor"));
    ui->label_5->setStyleSheet(LabelStyle(labelColor));
    ui->label_11->setStyleSheet(LabelStyle(labelColor));
    ui->Performance->setStyleSheet(CheckBoxStyle(m_PictureFolder, labelColor, QStringLiteral("CheckBoxChecked.png"),
                                                 QStringLiteral("CheckBox.png")));
    for (QToolButton* marker : {ui->TitleButton, ui->TitleButton_2, ui->TitleButton_3, ui->TitleButton_4})
        marker->setStyleSheet("#" + marker->objectName() + "{border-image: " + StyleUrl(m_PictureFolder + "Title.png")
            + ";}");
}

void Sensor::ConnectHub()
{
    QObject* hub = PostMsg::GetInstance();
    // The device side waits until the page has shown what it sent.
    const auto blocking = Qt::BlockingQueuedConnection;
    connect(hub, SIGNAL(SigUpDataLightSensor(FlashDataMap)), this, SLOT(SlotUpDataSenSorUISensor(FlashDataMap)),
            blocking);
    connect(hub, SIGNAL(SigFormReset()), this, SLOT(SlotFormReset()), blocking);
    connect(hub, SIGNAL(SigUpDataReportRate(int)), this, SLOT(SlotUpDataReportRate(int)), blocking);
    connect(hub, SIGNAL(SigUpDataDPI(int)), this, SLOT(SlotUpDataDPI(int)), blocking);
    connect(hub, SIGNAL(SigUpDataDPILed(FlashDataMap)), this, SLOT(SlotUpDataDPILed(FlashDataMap)), blocking);
    connect(hub, SIGNAL(SigUpDataSensorUIB(FlashDataMap)), this, SLOT(SlotUpDataSenSorUIB(FlashDataMap)));
    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    connect(hub, SIGNAL(SigMouseOffLineo(int)), this, SLOT(SlotChangeRefused()));
    connect(hub, SIGNAL(SigDeviceBeingRead()), this, SLOT(SlotChangeRefused()));
}

void Sensor::LoadLevelIni()
{
    QFile file(m_SensorPageFolder + QStringLiteral("/Level.ini"));
    QString line;
    if (OpenPlainFile(file, QIODevice::ReadOnly | QIODevice::Text, LinkAtPath::Followed))
        line = QTextStream(&file).readLine();
    ui->frameDpi->SetLevelCountMember(line.isEmpty() ? 1 : line.toInt());
}

bool Sensor::IsListed(SensorSwitch which) const
{
    return m_Header.IsListed(which, g_SensorName);
}

void Sensor::SlotAllLanguage(int index)
{
    using Setter = std::function<void(const QString&)>;
    const Setter setters[] = {
        [this](const QString& t) { ui->frameDpi->SetTitleText(t); },
        [this](const QString& t) { ui->frameRate->SetTitleText(t); },
        [this](const QString& t) { ui->label_5->setText(t); },
        [this](const QString& t) { ui->label_11->setText(t); },
        [this](const QString& t) { ui->frameLOD->SetTitleText(t); },
        [this](const QString& t) { ui->Performance->setText(t); },
        [this](const QString& t) { ui->frame->SetLabelText(t); },
        [this](const QString& t) { ui->frame_4->SetLabelText(t); },
        [this](const QString& t) { ui->frame_3->SetLabelText(t); },
        [this](const QString& t) { ui->PerformanceOpen->setItemText(0, t); },
        [this](const QString& t) { ui->PerformanceOpen->setItemText(1, t); },
        [this](const QString& t) { ui->PerformanceOpen->setItemText(2, t); },
        [this](const QString& t) { ui->PerformanceOpen->setItemText(3, t); },
        [this](const QString& t) { ui->PerformanceOpen->setItemText(4, t); },
        [this](const QString& t) { ui->PerformanceOpen->setItemText(5, t); },
        [this](const QString& t) { ui->frameEffect->SetTitleText(t); },
        [this](const QString& t) { ui->frameEffect->SetModeItemText(0, t); },
        [this](const QString& t) { ui->frameEffect->SetModeItemText(1, t); },
        [this](const QString& t) { ui->frameEffect->SetModeItemText(2, t); },
        [this](const QString& t) { ui->frameEffect->SetSpeedLabelText(t); },
        [this](const QString& t) { ui->frameEffect->SetBrightnessLabelText(t); },
        [this](const QString& t) { ui->label_11->setToolTip(t); },
        [this](const QString& t) { ui->frameLOD->SetTitleToolTip(t); },
        [this](const QString& t) { ui->Performance->setToolTip(t); },
        [this](const QString& t) { ui->frame_3->SetLabelToolTip(t); },
        [this](const QString& t) { ui->frame_4->SetLabelToolTip(t); },
        [this](const QString& t) { ui->frame->SetLabelToolTip(t); },
    };
    int k = 0;
    for (const Setter& set : setters) {
        // A text the language files lack leaves the form's own.
        const QString text = LanguageTextInRow(g_LangTextsSensor, index, k++, QString());
        if (!text.isNull())
            set(text);
    }
    ui->frameDpi->RetranslateColorDialog();
}

void Sensor::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Changes reach the page while its form is still being built.
    if (m_ModeOptions)
        m_ModeOptions->SyncPerformanceOpen();
}

void Sensor::on_Performance_toggled(bool checked)
{
    m_ModeOptions->PerformanceToggled(checked);
}

void Sensor::on_Performance_clicked(bool checked)
{
    m_ModeOptions->PerformanceClicked(checked);
}

void Sensor::on_ModelChoose_currentIndexChanged(int index)
{
    m_ModeOptions->ModeIndexChanged(index);
}

void Sensor::on_PerformanceOpen_currentIndexChanged(int index)
{
    m_ModeOptions->PerformanceOpenIndexChanged(index);
}
