#include "common/ModalDialogAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

const QString ModalDialogAnswerer::kEscape = QStringLiteral("Escape");

namespace {
constexpr int kPollIntervalMs = 5;

QMap<QString, QString> VisibleTexts(QWidget* dialog)
{
    QMap<QString, QString> texts;
    for (QWidget* child : dialog->findChildren<QWidget*>()) {
        if (child->objectName().isEmpty())
            continue;
        if (auto* label = qobject_cast<QLabel*>(child))
            texts.insert(child->objectName(), label->text());
        else if (auto* button = qobject_cast<QAbstractButton*>(child))
            texts.insert(child->objectName(), button->text());
        else if (auto* edit = qobject_cast<QLineEdit*>(child))
            texts.insert(child->objectName(), edit->text());
    }
    return texts;
}
}

ModalDialogAnswerer::ModalDialogAnswerer(const QStringList& answers)
    : m_Answers(answers)
{
    connect(&m_Poll, &QTimer::timeout, this, &ModalDialogAnswerer::AnswerActiveModalWidget);
    m_Poll.start(kPollIntervalMs);
}

void ModalDialogAnswerer::AnswerActiveModalWidget()
{
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog || m_Answers.isEmpty())
        return;
    ModalDialogRecord record;
    record.className = QString::fromLatin1(dialog->metaObject()->className());
    record.objectName = dialog->objectName();
    record.position = dialog->pos();
    record.size = dialog->size();
    record.texts = VisibleTexts(dialog);
    record.answer = m_Answers.takeFirst();
    m_Records.append(record);
    if (m_Answers.isEmpty())
        m_Poll.stop();

    if (record.answer != kEscape) {
        if (auto* button = dialog->findChild<QAbstractButton*>(record.answer)) {
            button->click();
            return;
        }
        m_MissingButtons.append(record.answer);
    }
    QTest::keyClick(dialog, Qt::Key_Escape);
}
