#pragma once

#include <QString>
#include <QWidget>

// The firmware warning shown by the device choice, the main window and the
// settings page's own update step, in the current language. GUI thread only.
extern QString g_UpdateWarningText;

// The settings page: language, start with the session, receiver options,
// versions, pairing and firmware update. The page shell creates it once, as
// the fourth page of its stack.
class FormSetting : public QWidget
{
    Q_OBJECT

public:
    explicit FormSetting(QWidget* parent = nullptr);

public slots:
    void SlotAllLanguage(int index);
};
