#include "lighting/LightModeSet.h"

#include "core/LanguageTables.h"
#include "lighting/FormParts.h"
#include "widgets/FormStyles.h"
#include "widgets/MyConmboBox.h"

#include <QFrame>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

namespace {

const LightControlsGeometry kLightModeSetGeometry = {
    .label = {30, 30, 241, 21},
    .LightMod = {30, 60, 281, 34},
    .label_2 = {30, 110, 161, 21},
    .horizontalLight = {30, 140, 281, 25},
    .label_3 = {30, 190, 191, 21},
    .horizontalSpeed = {30, 220, 281, 25},
    .line = {31, 150, 281, 3},
    .line_2 = {31, 230, 281, 3},
    .label_6 = {380, 30, 321, 20},
    .label_7 = {380, 60, 200, 22},
    .label_8 = {380, 110, 261, 17},
    .labelPreView = {380, 140, 60, 60},
    .label_10 = {470, 160, 16, 17},
    .label_11 = {470, 130, 16, 17},
    .label_12 = {470, 190, 15, 17},
    .label_13 = {380, 220, 341, 17},
    .ReduceR = {491, 138, 14, 4},
    .RSpinBox = {511, 130, 45, 20},
    .AddR = {562, 133, 14, 14},
    .ReduceG = {491, 168, 14, 4},
    .GSpinBox = {511, 160, 45, 20},
    .AddG = {562, 163, 14, 14},
    .ReduceB = {491, 198, 14, 4},
    .BSpinBox = {511, 190, 45, 20},
    .AddB = {562, 193, 14, 14},
    .firstPreset = {380, 250},
    .presetPitch = {30, 30},
    .presetSize = {18, 18},
};

// Positions in the "ScreenInfo" language section; texts 0 to 4 belong to the
// screen dialogs. Its effect texts are LightMod and LightMod1 to LightMod6 (6
// to 12); the list has six effects, so LightMod6 stays unused.
constexpr LightControlsTextPositions kScreenInfoTexts = {
    .title = 5, .firstEffect = 6, .brightness = 13, .speed = 14, .customColour = 15,
    .preview = 16, .presets = 17, .red = 18, .green = 19, .blue = 20,
};

QString ColourSpinBoxStyle(const QString& colorText)
{
    return "QSpinBox{background-color: rgb(0,0,0);color: rgb(" + colorText
           + ";);border: 1px  solid gray;}QSpinBox:hover{background-color: transparent;color: rgb(" + colorText
           + ";);border: 1px  solid gray;}";
}

} // namespace

void Ui_LightModeSet::setupUi(QDialog* dialog)
{
    if (dialog->objectName().isEmpty())
        dialog->setObjectName(QStringLiteral("LightModeSet"));
    LightModeSetframe = CreatePanelFrame(dialog, "LightModeSetframe");
    setupLightControls(LightModeSetframe, kLightModeSetGeometry);
    CloseButton = CreatePanelCloseButton(LightModeSetframe);

    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_LightModeSet::retranslateUi(QDialog* dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    retranslateLightControls();
    CloseButton->setText(QString());
}

LightModeSet::LightModeSet(QWidget* parent)
    : PanelDialog(parent, QStringLiteral("ScreeInfo")), ui(new Ui_LightModeSet)
{
    ui->setupUi(this);
    for (int i = 0; i < PresetColourCount; ++i)
        connect(ui->presets[i], &QToolButton::clicked, this, [this, i] { ui->SetSpinBoxColour(PresetColour(i)); });
    // No device behind the dialog: it starts with what its current effect uses.
    on_LightMod_currentIndexChanged(ui->LightMod->currentIndex());
}

LightModeSet::~LightModeSet()
{
    delete ui;
}

void LightModeSet::ApplyLook()
{
    const QString& folder = m_PictureFolder;
    const QString labelStyle = LabelStyle(OptionColorText("LabelColor"));
    for (QLabel* label : {ui->label, ui->label_2, ui->label_3, ui->label_6, ui->label_8, ui->label_10, ui->label_11,
                          ui->label_12, ui->label_13})
        label->setStyleSheet(labelStyle);
    for (QToolButton* button : {ui->ReduceR, ui->ReduceG, ui->ReduceB})
        button->setStyleSheet(ObjectPictureStyle(button->objectName(), folder, "Reduce.png"));
    for (QToolButton* button : {ui->AddR, ui->AddG, ui->AddB})
        button->setStyleSheet(ObjectPictureStyle(button->objectName(), folder, "Add.png"));
    ui->LightModeSetframe->setStyleSheet(FrameBackgroundStyle("LightModeSetframe", folder, "Back.png"));
    ui->CloseButton->setStyleSheet(PictureButtonStyle(folder, "CloseButton.png", "CloseHover.png", "CloseClick.png"));
    const QString spinBoxStyle = ColourSpinBoxStyle(OptionColorText("LinEditColorSecond"));
    for (QSpinBox* box : {ui->RSpinBox, ui->GSpinBox, ui->BSpinBox})
        box->setStyleSheet(spinBoxStyle);
    StyleComboBox(ui->LightMod, folder, OptionComboBoxColors());
    ui->LightMod->setMaxVisibleItems(5);
    const QString sliderStyle = PanelSliderStyle(folder, OptionColorText("SliderColor"));
    ui->horizontalLight->setStyleSheet(sliderStyle);
    ui->horizontalSpeed->setStyleSheet(sliderStyle);
    ui->labelPreView->setStyleSheet(ObjectPictureStyle("labelPreView", folder, "PreviewColor.png"));
    for (int i = 0; i < PresetColourCount; ++i) {
        QToolButton* preset = ui->presets[i];
        preset->setStyleSheet(
            FrameBackgroundStyle(preset->objectName(), folder, QStringLiteral("Color%1.png").arg(QChar('A' + i))));
    }
    // The colour board the picker reads from.
    ui->label_7->setStyleSheet(FrameBackgroundStyle("label_7", folder, "ColorBoard.png"));
}

void LightModeSet::on_AddR_clicked() { ui->RSpinBox->setValue(ui->RSpinBox->value() + 1); }
void LightModeSet::on_AddG_clicked() { ui->GSpinBox->setValue(ui->GSpinBox->value() + 1); }
void LightModeSet::on_AddB_clicked() { ui->BSpinBox->setValue(ui->BSpinBox->value() + 1); }
void LightModeSet::on_ReduceR_clicked() { ui->RSpinBox->setValue(ui->RSpinBox->value() - 1); }
void LightModeSet::on_ReduceG_clicked() { ui->GSpinBox->setValue(ui->GSpinBox->value() - 1); }
void LightModeSet::on_ReduceB_clicked() { ui->BSpinBox->setValue(ui->BSpinBox->value() - 1); }

void LightModeSet::on_RSpinBox_valueChanged(int) { ui->ShowPreviewColour(ui->SpinBoxColour()); }
void LightModeSet::on_GSpinBox_valueChanged(int) { ui->ShowPreviewColour(ui->SpinBoxColour()); }
void LightModeSet::on_BSpinBox_valueChanged(int) { ui->ShowPreviewColour(ui->SpinBoxColour()); }

void LightModeSet::on_LightMod_currentIndexChanged(int index)
{
    ui->ShowForEffect(index, {ui->horizontalLight}, {ui->horizontalSpeed});
}

void LightModeSet::SlotAllLanguage(int index)
{
    ui->retranslateFromTable(g_LangTextsScreenInfo, index, kScreenInfoTexts);
}

// The dialog talks to no device, so a pick needs no online test.
void LightModeSet::mousePressEvent(QMouseEvent* event)
{
    HandleColourBoardPress(this, *ui, event, {{ui->RSpinBox, ui->GSpinBox, ui->BSpinBox}}, [] { return true; });
}
