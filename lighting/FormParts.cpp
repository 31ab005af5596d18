#include "lighting/FormParts.h"

#include "widgets/FormStyles.h"

#include <QDialog>
#include <QFrame>
#include <QToolButton>

QFrame* CreatePanelFrame(QDialog* dialog, const char* name)
{
    dialog->resize(638, 318);
    auto* frame = new QFrame(dialog);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setGeometry(QRect(0, 0, 638, 318));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);
    return frame;
}

QToolButton* CreatePanelCloseButton(QWidget* frame)
{
    auto* button = new QToolButton(frame);
    button->setObjectName(QStringLiteral("CloseButton"));
    button->setGeometry(QRect(610, 10, 20, 20));
    button->setMinimumSize(QSize(20, 20));
    button->setMaximumSize(QSize(20, 20));
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(QSize(30, 30));
    button->setAutoRaise(true);
    return button;
}

QString ObjectPictureStyle(const QString& objectName, const QString& folder, const QString& picture)
{
    return "#" + objectName + "{background-image: " + StyleUrl(folder + picture)
           + ";border:0px;background-position:center;background-repeat:no-repeat;}";
}

QString PanelSliderStyle(const QString& folder, const QString& colorText)
{
    return "QSlider::groove:horizontal { border-radius: 2px;  height: 5px;background:#ffffff}"
           "QSlider:handle:horizontal{ border-radius: 2px;width:  6px;height: 18px;  margin-top: -9px;"
           "margin-left: -1px; margin-bottom: -9px;margin-right: -1px; border-image: "
           + StyleUrl(folder + "Slider.png")
           + ";} QSlider:sub-page:horizontal{border-radius: 2px;background-color: rgb("
           + colorText
           + ";);}QSlider:add-page:horizontal{border-radius: 2px;background-color: rgb(255, 255, 255);}";
}
