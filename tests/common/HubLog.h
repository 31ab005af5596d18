#pragma once

#include "core/PostMsg.h"

#include <QMutex>
#include <QMutexLocker>
#include <QObject>
#include <QStringList>

// Stands in for the pages: records what the device side tells them through
// the hub, one line per signal ("Battery 1 76 1"), and the records carried.
// Connected as the pages connect: the page signals blocking queued, the rest
// automatic.
class HubLog : public QObject
{
    Q_OBJECT

public:
    HubLog()
    {
        PostMsg* hub = PostMsg::GetInstance();
        const auto blocking = Qt::BlockingQueuedConnection;
        connect(hub, SIGNAL(SigBattery(bool,int,bool)), this, SLOT(Battery(bool,int,bool)), blocking);
        connect(hub, SIGNAL(SigUpDataReportRate(int)), this, SLOT(ReportRate(int)), blocking);
        connect(hub, SIGNAL(SigUpDataDPI(int)), this, SLOT(Dpi(int)), blocking);
        connect(hub, SIGNAL(SigUpDataDPILed(FlashDataMap)), this, SLOT(DpiLed(FlashDataMap)), blocking);
        connect(hub, SIGNAL(SigUpDataLightLight(FlashDataMap)), this, SLOT(Light(FlashDataMap)), blocking);
        connect(hub, SIGNAL(SigUpDataLightUIButton(FlashDataMap)), this, SLOT(Button(FlashDataMap)), blocking);
        connect(hub, SIGNAL(SigUpDataLightSensor(FlashDataMap)), this, SLOT(Sensor(FlashDataMap)), blocking);
        connect(hub, SIGNAL(SigUpDataConfigUI(int,int,bool)), this, SLOT(Profile(int,int,bool)), blocking);
        connect(hub, SIGNAL(SigRGBValue(DongleRGB*)), this, SLOT(ReceiverLed(DongleRGB*)), blocking);
        connect(hub, SIGNAL(SigLongRangeMode(bool)), this, SLOT(LongRange(bool)), blocking);
        connect(hub, SIGNAL(SigForm()), this, SLOT(Form()), blocking);
        connect(hub, SIGNAL(SigFormReset()), this, SLOT(FormReset()), blocking);
        connect(hub, SIGNAL(SigSetver(int)), this, SLOT(Setver(int)));
        connect(hub, SIGNAL(SigUpDataParam(int)), this, SLOT(UpDataParam(int)));
        connect(hub, SIGNAL(SigChangeMainDialog(int)), this, SLOT(ChangeMainDialog(int)));
        connect(hub, SIGNAL(SigLabelTextB(QString,QString)), this, SLOT(LabelTextB(QString,QString)));
        connect(hub, SIGNAL(SigCheckUpdate()), this, SLOT(CheckUpdate()));
        connect(hub, SIGNAL(SigRepairCheckUpdate()), this, SLOT(RepairCheckUpdate()));
        connect(hub, SIGNAL(SigCloseOffOnline()), this, SLOT(CloseOffOnline()));
        // The firmware update and repair flows.
        connect(hub, SIGNAL(SigProgress(int,int)), this, SLOT(Progress(int,int)));
        connect(hub, SIGNAL(SigLabelText(int,QString)), this, SLOT(LabelText(int,QString)));
        connect(hub, SIGNAL(SigAutoRepair(int)), this, SLOT(AutoRepair(int)));
        connect(hub, SIGNAL(SigAutoRepairProgress(int)), this, SLOT(AutoRepairProgress(int)));
        connect(hub, SIGNAL(SigUpDateButton(bool)), this, SLOT(UpDateButton(bool)));
        connect(hub, SIGNAL(SigSetNewVer()), this, SLOT(SetNewVer()));
        connect(hub, SIGNAL(SigUpdateStart()), this, SLOT(UpdateStart()));
        connect(hub, SIGNAL(SigContinue(int)), this, SLOT(Continue(int)));
    }

    QStringList Lines() const
    {
        QMutexLocker lock(&m_mutex);
        return m_lines;
    }
    // The lines that start with one of the names, in order.
    QStringList Lines(const QStringList& names) const
    {
        QStringList picked;
        for (const QString& line : Lines()) {
            if (names.contains(line.section(' ', 0, 0)))
                picked.append(line);
        }
        return picked;
    }
    QList<FlashDataMap> Records() const
    {
        QMutexLocker lock(&m_mutex);
        return m_records;
    }
    void Clear()
    {
        QMutexLocker lock(&m_mutex);
        m_lines.clear();
        m_records.clear();
    }

private slots:
    void Battery(bool charging, int level, bool asText) { Add(QString("Battery %1 %2 %3").arg(charging).arg(level).arg(asText)); }
    void ReportRate(int code) { Add(QString("ReportRate %1").arg(code)); }
    void Dpi(int level) { Add(QString("Dpi %1").arg(level)); }
    void DpiLed(FlashDataMap record) { Add("DpiLed", record); }
    void Light(FlashDataMap record) { Add("Light", record); }
    void Button(FlashDataMap record) { Add("Button", record); }
    void Sensor(FlashDataMap record) { Add("Sensor", record); }
    void Profile(int total, int selected, bool enabled) { Add(QString("Profile %1 %2 %3").arg(total).arg(selected).arg(enabled)); }
    void ReceiverLed(DongleRGB* rgb) { Add(QString("ReceiverLed %1").arg(rgb ? rgb->Mode : -1)); }
    void LongRange(bool on) { Add(QString("LongRange %1").arg(on)); }
    void Form() { Add("Form"); }
    void FormReset() { Add("FormReset"); }
    void Setver(int index) { Add(QString("Setver %1").arg(index)); }
    void UpDataParam(int index) { Add(QString("UpDataParam %1").arg(index)); }
    void ChangeMainDialog(int index) { Add(QString("ChangeMainDialog %1").arg(index)); }
    void LabelTextB(QString version, QString mark) { Add(QString("LabelTextB %1 %2").arg(version, mark)); }
    void CheckUpdate() { Add("CheckUpdate"); }
    void RepairCheckUpdate() { Add("RepairCheckUpdate"); }
    void CloseOffOnline() { Add("CloseOffOnline"); }
    void Progress(int value, int kind) { Add(QString("Progress %1 %2").arg(value).arg(kind)); }
    void LabelText(int index, QString text) { Add(QString("LabelText %1 %2").arg(index).arg(text)); }
    void AutoRepair(int index) { Add(QString("AutoRepair %1").arg(index)); }
    void AutoRepairProgress(int value) { Add(QString("AutoRepairProgress %1").arg(value)); }
    void UpDateButton(bool hide) { Add(QString("UpDateButton %1").arg(hide)); }
    void SetNewVer() { Add("SetNewVer"); }
    void UpdateStart() { Add("UpdateStart"); }
    void Continue(int index) { Add(QString("Continue %1").arg(index)); }

private:
    void Add(const QString& line, const FlashDataMap& record)
    {
        QMutexLocker lock(&m_mutex);
        m_lines.append(line);
        m_records.append(record);
    }
    void Add(const QString& line)
    {
        QMutexLocker lock(&m_mutex);
        m_lines.append(line);
    }

    mutable QMutex m_mutex;
    QStringList m_lines;
    QList<FlashDataMap> m_records;
};
