#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QToolButton;

struct Ui_QuestionDialog
{
    QFrame* Question = nullptr;
    QLabel* label = nullptr;
    QToolButton* CloseButton = nullptr;
    QLineEdit* lineEdit = nullptr;
    QToolButton* NewHong = nullptr;   // OK
    QToolButton* NewHong_2 = nullptr; // Cancel

    void setupUi(QDialog* dialog);
    void retranslateUi(QDialog* dialog);
};

// The prompt for the name of a new macro or the new name of a macro. The
// opener builds it on its stack without parent, picks the prompt, runs it with
// exec and reads EnteredName: the typed name after OK, empty after Cancel or
// the close button (an empty name means no name). Escape and Enter do nothing.
//
// While the user types, the name is kept to 30 bytes in the local 8-bit
// encoding (the device's name field), a space typed at its end removes every
// space, some punctuation is refused, and Shift disables the line edit while
// it is held, which keeps shifted characters out. Pasted text passes the
// punctuation filter; the callers check every name before they use it.
class QuestionDialog : public QDialog
{
    Q_OBJECT

public:
    explicit QuestionDialog(QWidget* parent = nullptr);
    ~QuestionDialog() override;

    // 0: the new-macro prompt; any other value: the rename prompt.
    void SetPromptMode(int mode);

    QString EnteredName;

public slots:
    void WindowClosedLan();
    void on_CloseButton_clicked();
    void on_NewHong_clicked();
    void SlotAllLanguage(int index);
    void on_lineEdit_textEdited(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    Ui_QuestionDialog* ui;
    QString NewPromptText;
    QString RenamePromptText;
};
