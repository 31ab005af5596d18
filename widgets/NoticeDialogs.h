#pragma once

#include "widgets/NoticeDialog.h"

// Chosen by the opener before it constructs the notice, which takes its
// message in its constructor (GUI thread only).
// MouseOffLine: 0 the device does not answer, 1 a read-back timed out.
extern int g_OfflineNoticeKind;
// InportFail: the last import's result, 1 not a settings file, 2 it does not
// fit the device (0: imported).
extern int g_ImportResult;

// The one-message notices the pages show. Each is built on its opener's stack
// without parent, placed over one of the opener's widgets and run with exec.

// More than one identical device is connected (close button only).
class QuestiondialogB : public NoticeDialog
{
    Q_OBJECT
public:
    explicit QuestiondialogB(QWidget* parent = nullptr);
};

// The mouse is offline (g_OfflineNoticeKind 0) or did not answer in time (1).
// Closes by itself when the hub reports the device back.
class MouseOffLine : public NoticeDialog
{
    Q_OBJECT
public:
    explicit MouseOffLine(QWidget* parent = nullptr);
};

// The left-button function must stay on one key (close button only).
class LeftButtonOnly : public NoticeDialog
{
    Q_OBJECT
public:
    explicit LeftButtonOnly(QWidget* parent = nullptr);
};

// A macro must be created first.
class MakeMacro : public NoticeDialog
{
    Q_OBJECT
public:
    explicit MakeMacro(QWidget* parent = nullptr);
};

// A macro of that name exists already.
class SameMacro : public NoticeDialog
{
    Q_OBJECT
public:
    explicit SameMacro(QWidget* parent = nullptr);
};

// A key combination holds at most three keys.
class GroupMaxThree : public NoticeDialog
{
    Q_OBJECT
public:
    explicit GroupMaxThree(QWidget* parent = nullptr);
};

// The macro has reached its greatest number of key events.
class KeyNumberLimit : public NoticeDialog
{
    Q_OBJECT
public:
    explicit KeyNumberLimit(QWidget* parent = nullptr);
};

// Asks to confirm the deletion of the selected macro; the opener deletes it
// only when Confirmed is true after exec.
class DeleteConfirm : public NoticeDialog
{
    Q_OBJECT
public:
    explicit DeleteConfirm(QWidget* parent = nullptr);

    bool Confirmed = false;

public slots:
    void on_NewHong_clicked() override;
    void on_CloseButton_clicked() override;
};

// An imported settings file was refused (g_ImportResult 1: not a settings
// file, 2: it does not fit the device).
class InportFail : public NoticeDialog
{
    Q_OBJECT
public:
    explicit InportFail(QWidget* parent = nullptr);
};

// The configuration could not be written to the file the user chose.
class ExportFail : public NoticeDialog
{
    Q_OBJECT
public:
    explicit ExportFail(QWidget* parent = nullptr);
};

// A choice of the user's could not be kept in the per-user settings file
// (a full or read-only folder, something else at the file's place or its
// lock's, a lock held too long).
class SettingNotSaved : public NoticeDialog
{
    Q_OBJECT
public:
    explicit SettingNotSaved(QWidget* parent = nullptr);
};

// Shows SettingNotSaved over opener until it is closed.
void TellSettingNotSaved(QWidget* opener);

// One of the four shortest debounce times was chosen.
class LessThree : public NoticeDialog
{
    Q_OBJECT
public:
    explicit LessThree(QWidget* parent = nullptr);
};

// A change was not made: the device's configuration was being read again.
class DeviceBeingRead : public NoticeDialog
{
    Q_OBJECT
public:
    explicit DeviceBeingRead(QWidget* parent = nullptr);
};
