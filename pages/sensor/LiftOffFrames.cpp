#include "pages/sensor/LiftOffFrames.h"

#include "device/DeviceState.h"
#include "device/Senders.h"
#include "pages/sensor/SensorFrameStyles.h"
#include "widgets/FormStyles.h"
#include "widgets/MyConmboBox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>

namespace {

constexpr int kCodeOneMillimetre = 1;
constexpr int kCodeTwoMillimetres = 2;
constexpr int kCodeSubMillimetre = 3;

bool FrameMaySend()
{
    return g_SendEnabled && !g_SensorPageLoading;
}

} // namespace

void Ui_SensorLOD::setupUi(QFrame* frame)
{
    SetupOptionFrame(frame, "SensorLOD", QSize(131, 61));
    label = new QLabel(frame);
    label->setObjectName(QStringLiteral("label"));
    label->setGeometry(QRect(0, 0, 151, 17));
    label->setFont(FormFont(11));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    LOD = new MyConmboBox(frame);
    LOD->setObjectName(QStringLiteral("LOD"));
    LOD->setGeometry(QRect(0, 30, 130, 30));
    LOD->setMaximumSize(QSize(130, 30));
    LOD->setFont(FormFont(11));
    LOD->setFocusPolicy(Qt::NoFocus);
    LOD->setSizeAdjustPolicy(QComboBox::AdjustToContentsOnFirstShow);
    LOD->setEnabled(false);
    retranslateUi(frame);
}

void Ui_SensorLOD::retranslateUi(QFrame*)
{
    label->setText(QStringLiteral(" LOD"));
    LOD->clear();
    LOD->addItem(QStringLiteral("1mm"));
    LOD->addItem(QStringLiteral("2mm"));
}

SensorLOD::SensorLOD(QWidget* parent)
    : QFrame(parent)
    , ui(new Ui_SensorLOD)
    , m_PictureFolder(PictureFolder(QStringLiteral("Sensor")))
{
    ui->setupUi(this);
    ui->label->setStyleSheet(LabelStyle(OptionColorText(QStringLiteral("LabelColor"))));
    StyleComboBox(ui->LOD, m_PictureFolder, OptionComboBoxColors());
    QMetaObject::connectSlotsByName(this);
}

SensorLOD::~SensorLOD()
{
    delete ui;
}

void SensorLOD::AddSubMillimetreItem()
{
    if (ui->LOD->count() == 2)
        ui->LOD->insertItem(0, QStringLiteral("0.7mm"));
}

void SensorLOD::RemoveSubMillimetreItem()
{
    if (ui->LOD->count() == 3)
        ui->LOD->removeItem(0);
}

void SensorLOD::SetComboEnabled(bool enabled)
{
    ui->LOD->setEnabled(enabled);
}

void SensorLOD::SetLodIndex(int value)
{
    if (ui->LOD->count() == 3) {
        static const int itemOfValue[3] = {1, 2, 0};
        if (value >= 0 && value < 3)
            ui->LOD->setCurrentIndex(itemOfValue[value]);
        return;
    }
    ui->LOD->setCurrentIndex(value);
}

void SensorLOD::SetTitleText(const QString& text)
{
    ui->label->setText(text);
}

void SensorLOD::SetTitleToolTip(const QString& text)
{
    ui->label->setToolTip(text);
}

void SensorLOD::on_LOD_currentIndexChanged(int index)
{
    if (!FrameMaySend())
        return;
    int code = 0;
    if (ui->LOD->count() == 3) {
        static const int codeOfItem[3] = {kCodeSubMillimetre, kCodeOneMillimetre, kCodeTwoMillimetres};
        if (index < 0 || index >= 3)
            return;
        code = codeOfItem[index];
    } else {
        // Only the two millimetre items have codes; no item (-1) sends nothing.
        if (index < 0 || index > 1)
            return;
        code = index + 1;
    }
    SendLOD(code);
}

void Ui_SensorLODB::setupUi(QFrame* frame)
{
    SetupOptionFrame(frame, "SensorLODB", QSize(338, 20));
    label = new QLabel(frame);
    label->setObjectName(QStringLiteral("label"));
    label->setGeometry(QRect(0, 0, 71, 17));
    label->setFont(FormFont(11));
    label->setStyleSheet(QStringLiteral("#label_12{\ncolor: rgb(255, 255, 255);\n}"));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const auto makeBox = [frame](const char* name, int x) {
        auto* box = new QCheckBox(frame);
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(QRect(x, 0, 81, 20));
        box->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Expanding);
        box->setMinimumSize(QSize(20, 10));
        box->setFont(FormFont(11));
        box->setFocusPolicy(Qt::NoFocus);
        return box;
    };
    MM1 = makeBox("MM1", 165);
    MM2 = makeBox("MM2", 250);
    MM0 = makeBox("MM0", 80);
    retranslateUi(frame);
}

void Ui_SensorLODB::retranslateUi(QFrame*)
{
    label->setText(QStringLiteral(" LOD"));
    MM1->setText(QStringLiteral("1mm"));
    MM2->setText(QStringLiteral("2mm"));
    MM0->setText(QStringLiteral("0mm"));
}

SensorLODB::SensorLODB(QWidget* parent)
    : QFrame(parent)
    , ui(new Ui_SensorLODB)
    , m_PictureFolder(PictureFolder(QStringLiteral("Sensor")))
    , m_Group(new QButtonGroup(this))
{
    ui->setupUi(this);
    QMetaObject::connectSlotsByName(this);
    m_Group->setExclusive(true);
    m_Group->addButton(ui->MM0);
    m_Group->addButton(ui->MM1);
    m_Group->addButton(ui->MM2);
    const QString labelColor = OptionColorText(QStringLiteral("LabelColor"));
    ui->label->setStyleSheet(LabelStyle(labelColor));
    ui->MM1->setStyleSheet(IndicatorCheckBoxStyle(m_PictureFolder, labelColor));
    ui->MM2->setStyleSheet(IndicatorCheckBoxStyle(m_PictureFolder, labelColor));
    ui->MM0->hide();
}

SensorLODB::~SensorLODB()
{
    delete ui;
}

void SensorLODB::ShowSubMillimetreBox()
{
    ui->MM0->show();
    ui->MM0->move(80, 0);
    ui->MM1->move(165, 0);
    ui->MM2->move(250, 0);
}

void SensorLODB::HideSubMillimetreBox()
{
    ui->MM0->hide();
    ui->MM1->move(80, 0);
    ui->MM2->move(165, 0);
}

void SensorLODB::SetBoxesEnabled(bool on)
{
    ui->MM1->setEnabled(on);
    ui->MM2->setEnabled(on);
}

void SensorLODB::SetLodIndex(int index)
{
    if (index == 0)
        ui->MM1->setChecked(true);
    else if (index == 1)
        ui->MM2->setChecked(true);
    else if (index == 2 && ui->MM0->isVisible())
        ui->MM0->setChecked(true);
}

void SensorLODB::SetTitleText(const QString& text)
{
    ui->label->setText(text);
}

void SensorLODB::SetTitleToolTip(const QString& text)
{
    ui->label->setToolTip(text);
}

void SensorLODB::SendCode(int code)
{
    if (FrameMaySend())
        SendLOD(code);
}

void SensorLODB::on_MM1_clicked(bool) { SendCode(kCodeOneMillimetre); }
void SensorLODB::on_MM2_clicked(bool) { SendCode(kCodeTwoMillimetres); }
void SensorLODB::on_MM0_clicked(bool) { SendCode(kCodeSubMillimetre); }
