#pragma once

#include <QString>

#include <optional>

class QWidget;

// The per-key restore files "2.ini" to "6.ini" of the button page's per-user
// folder (usersetting/MainPage): line 1 names a function class, or a class and
// an item, whose button text a key selector takes, and the scroll positions
// that show it. The program writes no such file; the page reads them only
// when asked to.

// What one line asks of the page.
struct SelectorRestore
{
    QString buttonName;                 // object name of the button whose text the selector takes; empty: none
    std::optional<int> categoryScroll;  // vertical position of the category list scrollArea_4
    std::optional<int> multimediaScroll; // of the multimedia list scrollArea_3
    std::optional<int> dpiLockScroll;   // of the DPI-lock list scrollArea_10
};

// "c" or "c,s" in decimal (an empty or non-numeric field reads as 0); an empty
// line or three or more fields ask nothing.
SelectorRestore ParseSelectorRestoreLine(const QString& line);

// The file of key-selector row 2 to 6 ("2.ini" ... "6.ini" for RightKey,
// BackKey, StartPause, TopMusic and BackMusic) applied to the page: the
// widgets are found by object name below page. A missing file changes
// nothing; nothing is sent to the device.
void RestoreSelectorFromFile(QWidget* page, int row);
