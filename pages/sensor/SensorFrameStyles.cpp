#include "pages/sensor/SensorFrameStyles.h"

#include "widgets/FormStyles.h"

#include <QAbstractSlider>
#include <QFrame>
#include <QSpinBox>

void SetupOptionFrame(QFrame* frame, const char* objectName, QSize size, bool fixedSizePolicy)
{
    if (frame->objectName().isEmpty())
        frame->setObjectName(QString::fromLatin1(objectName));
    frame->resize(size);
    if (fixedSizePolicy)
        frame->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);
    frame->setWindowTitle(QStringLiteral("Frame"));
}

void SetupStepSlider(QAbstractSlider* slider, int minimum, int maximum)
{
    slider->setFocusPolicy(Qt::NoFocus);
    slider->setOrientation(Qt::Horizontal);
    slider->setRange(minimum, maximum);
    slider->setPageStep(1);
    slider->setTracking(false);
}

void SetupNumberDisplay(QSpinBox* box, int minimum, int maximum)
{
    box->setFocusPolicy(Qt::NoFocus);
    box->setWrapping(false);
    box->setAlignment(Qt::AlignCenter);
    box->setReadOnly(true);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setAccelerated(false);
    box->setRange(minimum, maximum);
}

QString GrooveSliderStyle(const QString& folder, const QString& sliderColor, QSize handle, int sideMargin)
{
    const QString margin = QString::number(sideMargin);
    return "QSlider::groove:horizontal { border-radius: 2px;  height: 5px;background:#ffffff}"
           "QSlider:handle:horizontal{ border-radius: 2px;width:  "
           + QString::number(handle.width()) + "px;height: " + QString::number(handle.height())
           + "px;  margin-top: -9px;margin-left: " + margin + "px; margin-bottom: -9px;margin-right: " + margin
           + "px; border-image: " + StyleUrl(folder + "HuaKuai.png")
           + ";} QSlider:sub-page:horizontal{border-radius: 2px;"
           "background-color: rgb(" + sliderColor + ";);}QSlider:add-page:horizontal{border-radius: 2px;"
           "background-color: rgb(255, 255, 255);}";
}

QString ThinSliderStyle(const QString& folder, const QString& sliderColor)
{
    return "QSlider:groove:horizontal{height:2px;left: 0px;right: 0px;border:0px;border-radius:6px;"
           "background:rgba(0,0,0,50);}QSlider:handle:horizontal{ width:  5px;height: 50px;  margin-top: -20px;"
           "margin-left: 0px; margin-bottom: -20px;margin-right: 0px; border-image: "
           + StyleUrl(folder + "HuaKuai.png") + ";} QSlider:sub-page:horizontal{background-color: rgb(" + sliderColor
           + ";);}QSlider:add-page:horizontal{background-color: rgb(255, 255, 255);}";
}

QString IndicatorCheckBoxStyle(const QString& folder, const QString& colorText)
{
    return "QCheckBox{color: rgb(" + colorText + ";);}QCheckBox:indicator::checked {image: "
           + StyleUrl(folder + "LODCheck.png") + ";}QCheckBox::indicator::unchecked {image: "
           + StyleUrl(folder + "LOD.png") + ";}";
}

QString PlainNumberStyle(const QString& colorText)
{
    return "QSpinBox{color: rgb(" + colorText + ";);background-color: transparent;border: 0px;}";
}

QString BorderedNumberStyle(const QString& colorText)
{
    const QString rule = "{background-color: transparent;color: rgb(" + colorText + ";);border: 1px  solid gray;}";
    return "QSpinBox" + rule + "QSpinBox:hover" + rule;
}

QString StepButtonStyle(const QString& objectName, const QString& folder, const QString& picture)
{
    return "#" + objectName + "{background-image: " + StyleUrl(folder + picture)
           + ";border:0px;background-position:center;background-repeat:no-repeat;}";
}
