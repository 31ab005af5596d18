#pragma once

// What a click on a device button tells the hub, in order. The device
// thread's hot-plug handler, which the switch to the page shell registers,
// speaks on the same signals (version step 4, its own version texts); those
// are left out.

#include "core/PostMsg.h"

#include <QObject>
#include <QString>
#include <QStringList>

class ClickRecorder : public QObject
{
public:
    QStringList signals_;
    DeviceAllInfo selected;
    QString labelText;
    QString imageMark;

    ClickRecorder()
    {
        PostMsg* hub = PostMsg::GetInstance();
        connect(hub, &PostMsg::SigSetver, this, [this](int step) {
            if (step == 6)
                signals_ << QString("Setver %1").arg(step);
        });
        connect(hub, &PostMsg::SigMouseIndex, this,
                [this](int index) { signals_ << QString("MouseIndex %1").arg(index); });
        connect(hub, &PostMsg::SigSelectMouseInfo, this, [this](DeviceAllInfo entry) {
            signals_ << "SelectMouseInfo";
            selected = entry;
        });
        connect(hub, &PostMsg::SigLabelTextB, this, [this](QString text, QString mark) {
            if (signals_.contains("LabelTextB"))
                return;
            signals_ << "LabelTextB";
            labelText = text;
            imageMark = mark;
        });
        connect(hub, &PostMsg::SigChangeMainDialog, this,
                [this](int index) { signals_ << QString("ChangeMainDialog %1").arg(index); });
    }

    bool Opened() const { return signals_.contains("ChangeMainDialog 1"); }

    // The order in which opening a device speaks.
    static QStringList OpeningOrder(int mouseIndex)
    {
        return {"Setver 6", QString("MouseIndex %1").arg(mouseIndex), "SelectMouseInfo", "LabelTextB",
                "ChangeMainDialog 1"};
    }
};
