#pragma once

#include <QMap>
#include <QObject>
#include <QPoint>
#include <QSize>
#include <QStringList>
#include <QTimer>

// What a modal dialog looked like when it was answered.
struct ModalDialogRecord
{
    QString className;  // the most derived class with a meta-object of its own
    QString objectName;
    QPoint position;    // top-left corner, as its opener placed it
    QSize size;
    QMap<QString, QString> texts; // object name -> text, for every named label, button and line edit
    QString answer;     // the button clicked, or kEscape
};

// Answers the modal dialogs that code under test opens with exec: while the
// code runs, each time a modal widget is active the next answer is taken, the
// dialog is recorded, and the named button is clicked (or Escape is pressed).
// A dialog that stays open after its answer takes the next one.
//
//     ModalDialogAnswerer answerer({"OK"});
//     page.on_Reset_clicked();                 // opens ContainReset with exec
//     QCOMPARE(answerer.Records().at(0).className, QString("ContainReset"));
//
// Code under test must never call QCoreApplication::quit or exit: afterwards
// every exec returns at once and no dialog can be answered.
class ModalDialogAnswerer : public QObject
{
public:
    static const QString kEscape;

    explicit ModalDialogAnswerer(const QStringList& answers);

    const QList<ModalDialogRecord>& Records() const { return m_Records; }
    bool AllAnswered() const { return m_Answers.isEmpty(); }
    // Answers that named a button the dialog does not have (Escape was pressed instead).
    const QStringList& MissingButtons() const { return m_MissingButtons; }

private:
    void AnswerActiveModalWidget();

    QTimer m_Poll;
    QStringList m_Answers;
    QList<ModalDialogRecord> m_Records;
    QStringList m_MissingButtons;
};
