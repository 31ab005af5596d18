#pragma once

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>

struct RecordedReport {
    int cls = 0;
    int sub = 0;
    int status = 0;
    int headerLength = 0;
    QByteArray payload;
    QByteArray paddingAfterPayload;   // the 16 bytes the library keeps after the payload
    QThread* thread = nullptr;
};

// A report callback that keeps what it gets, for tests on the GUI thread.
class ReportRecorder {
public:
    static void Callback(unsigned char* header, int headerLength, unsigned char* payload, int length)
    {
        RecordedReport report;
        report.headerLength = headerLength;
        report.cls = headerLength > 1 ? header[1] : 0;
        report.status = headerLength > 3 ? header[3] : 0;
        report.sub = headerLength > 4 ? header[4] : 0;
        report.payload = QByteArray(reinterpret_cast<const char*>(payload), length);
        report.paddingAfterPayload = QByteArray(reinterpret_cast<const char*>(payload) + length, 16);
        report.thread = QThread::currentThread();
        QMutexLocker lock(&s_mutex);
        s_reports.append(report);
    }

    static QList<RecordedReport> Reports()
    {
        QMutexLocker lock(&s_mutex);
        return s_reports;
    }

    static int Count() { return Reports().size(); }

    static QList<int> Classes()
    {
        QList<int> classes;
        for (const RecordedReport& report : Reports())
            classes << report.cls;
        return classes;
    }

    static void Clear()
    {
        QMutexLocker lock(&s_mutex);
        s_reports.clear();
    }

private:
    static inline QMutex s_mutex;
    static inline QList<RecordedReport> s_reports;
};
