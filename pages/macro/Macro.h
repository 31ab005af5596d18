#pragma once

#include <QWidget>

// True while the macro page records key events: the main window then drops
// every key press and the page shell locks its page buttons. GUI thread only.
extern bool g_MacroRecording;

// The macro page. The page shell creates it once, as the third page of its
// stack.
//
// A recording announces itself on the hub: SigStartRecord with 0 when it
// starts, with 1 when it stops. Leaving the pages (SigSetMacroPage, the back
// arrow of the page shell) ends any recording. With its texts it names the
// five mouse buttons for the key tables.
class Macro : public QWidget
{
    Q_OBJECT

public:
    explicit Macro(QWidget* parent = nullptr);

public slots:
    void SlotSetMacroPage();
    void SlotAllLanguage(int Index);
};
