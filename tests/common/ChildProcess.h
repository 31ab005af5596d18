#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTest>

// Tests that need other processes (a second instance, a crash) run their own
// binary again: "--child" and the child's arguments go to childMain instead
// of the test functions. Tests of widgets run under a QApplication.
#define QUORVANE_TEST_MAIN_WITH_CHILD_APP(TestClass, childMain, Application)         \
    int main(int argc, char* argv[])                                                 \
    {                                                                                \
        if (argc >= 2 && qstrcmp(argv[1], "--child") == 0)                           \
            return childMain(argc - 2, argv + 2);                                    \
        Application application(argc, argv);                                         \
        TestClass test;                                                              \
        return QTest::qExec(&test, argc, argv);                                      \
    }
#define QUORVANE_TEST_MAIN_WITH_CHILD(TestClass, childMain)                          \
    QUORVANE_TEST_MAIN_WITH_CHILD_APP(TestClass, childMain, QCoreApplication)

// Starts this test binary as a child with the given arguments, its per-user
// data under dataHome. The caller owns the process.
inline QProcess* StartChild(const QStringList& arguments, const QString& dataHome)
{
    auto* child = new QProcess();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", dataHome);
    child->setProcessEnvironment(environment);
    child->start(QCoreApplication::applicationFilePath(), QStringList("--child") + arguments);
    child->waitForStarted();
    return child;
}
