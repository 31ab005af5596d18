#include "pages/buttons/SelectorRestore.h"

#include "platform/PlainFile.h"
#include "platform/UserDataFolder.h"

#include <QAbstractButton>
#include <QFile>
#include <QScrollArea>
#include <QScrollBar>
#include <QStringList>
#include <QTextStream>

#include <iterator>
#include <limits>

namespace {

constexpr int kScrollStep = 15;

// A scroll position for a class or item number, however large the number in
// the file: the scroll bars keep it within their own range anyway.
int ScrollPosition(int number)
{
    return int(qBound<qint64>(std::numeric_limits<int>::min(), qint64(number) * kScrollStep,
                              std::numeric_limits<int>::max()));
}

// Classes 0 to 9: one button each, the first ten rows of the category list.
const char* const kCategoryButtons[] = {"LeftKey_3", "RightKey_3", "MidKey", "BackKey_2", "ForWardKey",
                                        "DPI_2",     "DPI_3",      "DPI_6",  "DPI_8",     "DPI_5"};

struct ItemClass
{
    int number;
    QStringList buttons; // by item
};

// Classes with items: tilt, lighting toggles, DPI cycle, multimedia keys and
// DPI lock, each button list in layout order.
const QList<ItemClass>& ItemClasses()
{
    static const QList<ItemClass> classes = {
        {10, {"VolumeUp_2", "VolumeDown_2"}},
        {12, {"VolumeUp_4", "VolumeUp_5", "VolumeUp_6", "VolumeUp_7"}},
        {13, {"VolumeUp_8", "VolumeUp_9", "VolumeUp_10"}},
        {14, {"Player", "StartPause_2", "BackMusic_2", "TopMusic_2", "Mute", "VolumeUp", "VolumeDown",
              "VolumeDown_4", "VolumeDown_5", "VolumeDown_6", "VolumeDown_3", "VolumeDown_8", "VolumeDown_9",
              "VolumeDown_7", "VolumeDown_10", "VolumeDown_12", "VolumeDown_13", "VolumeDown_11"}},
        {15, {"VolumeUp_11", "VolumeUp_12", "VolumeUp_13", "VolumeUp_16", "VolumeUp_15", "VolumeUp_19",
              "VolumeUp_20", "VolumeUp_22", "VolumeUp_18", "VolumeUp_24", "VolumeUp_23", "VolumeUp_21"}},
    };
    return classes;
}

constexpr int kMultimediaClass = 14;
constexpr int kDpiLockClass = 15;

// Key-selector rows 2 to 6.
const char* const kRowSelectors[] = {"RightKey", "BackKey", "StartPause", "TopMusic", "BackMusic"};
constexpr int kFirstRow = 2;

void ScrollTo(QWidget* page, const char* areaName, const std::optional<int>& position)
{
    if (!position)
        return;
    if (auto* area = page->findChild<QScrollArea*>(areaName))
        area->verticalScrollBar()->setValue(*position);
}

} // namespace

SelectorRestore ParseSelectorRestoreLine(const QString& line)
{
    SelectorRestore restore;
    if (line.isEmpty())
        return restore;
    const QStringList fields = line.split(',');
    if (fields.size() > 2)
        return restore;
    const int number = fields.at(0).toInt();
    restore.categoryScroll = ScrollPosition(number);
    if (fields.size() == 1) {
        if (number >= 0 && number < int(std::size(kCategoryButtons)))
            restore.buttonName = kCategoryButtons[number];
        return restore;
    }
    const int item = fields.at(1).toInt();
    for (const ItemClass& itemClass : ItemClasses()) {
        if (itemClass.number == number && item >= 0 && item < itemClass.buttons.size())
            restore.buttonName = itemClass.buttons.at(item);
    }
    if (number == kMultimediaClass)
        restore.multimediaScroll = ScrollPosition(item);
    if (number == kDpiLockClass)
        restore.dpiLockScroll = ScrollPosition(item);
    return restore;
}

void RestoreSelectorFromFile(QWidget* page, int row)
{
    const int index = row - kFirstRow;
    if (!page || index < 0 || index >= int(std::size(kRowSelectors)))
        return;
    QFile file(UserDataFolder() + "/usersetting/MainPage/" + QString::number(row) + ".ini");
    // Only a regular file: a FIFO in its place would hold the page's opening up for ever.
    if (!OpenPlainFile(file, QIODevice::ReadOnly | QIODevice::Text))
        return;
    const SelectorRestore restore = ParseSelectorRestoreLine(QTextStream(&file).readLine());

    auto* selector = page->findChild<QAbstractButton*>(kRowSelectors[index]);
    auto* source = restore.buttonName.isEmpty() ? nullptr : page->findChild<QAbstractButton*>(restore.buttonName);
    if (selector && source)
        selector->setText(source->text());
    ScrollTo(page, "scrollArea_3", restore.multimediaScroll);
    ScrollTo(page, "scrollArea_10", restore.dpiLockScroll);
    ScrollTo(page, "scrollArea_4", restore.categoryScroll);
}
