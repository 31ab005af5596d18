#include "mainwindow/DeviceGrid.h"

#include "core/LanguageTables.h"
#include "device/DeviceIdentification.h"
#include "device/DeviceListDiscovery.h"
#include "device/DeviceState.h"
#include "mainwindow/DialogChange.h"
#include "mainwindow/Ui_DialogChange.h"
#include "widgets/DialogFamily.h"
#include "widgets/FormStyles.h"
#include "widgets/NoticeDialogs.h"
#include "widgets/mytoolButtonEnter.h"

#include <QStackedWidget>

#include <algorithm>
#include <vector>

QList<QToolButton*> g_DeviceButtons;
QList<QLabel*> g_OfflineMarkers;
QList<QLabel*> g_ConnectionIcons;
QList<QLabel*> g_RateBadges;
bool g_DuplicateDevices = false;

namespace {
constexpr int kDevicesPerPage = 3;
constexpr int kButtonWidth = 284;
constexpr int kButtonHeight = 360;
constexpr int kMarkerSize = 32;
constexpr int kBadgeWidth = 42;
constexpr int kBadgeHeight = 26;

// Connection classes: wired, then the receivers of 1, 2, 4 and 8 kHz.
constexpr int kConnectionClasses = 5;

int ConnectionClass(const DeviceAllInfo& entry)
{
    if (entry.KindFlag)
        return 0;
    switch (entry.Kind) {
    case 0: return 1;
    case 4: return 2;
    case 1: return 3;
    default: return 4; // kind 5, the only other receiver kind
    }
}

// Entries per connection class and model. Sized by the device description, so
// a description of many models counts them all; a model index outside it is
// not counted.
class DeviceCounts
{
public:
    explicit DeviceCounts(int models)
        : m_Columns(std::max(models, 0) + 1)
        , m_Cells(kConnectionClasses * m_Columns, 0)
    {
    }

    void Add(const DeviceAllInfo& entry)
    {
        if (entry.ModelIndex >= 0 && entry.ModelIndex < m_Columns)
            ++m_Cells[ConnectionClass(entry) * m_Columns + entry.ModelIndex];
    }

    int At(int row, int column) const
    {
        if (row < 0 || row >= kConnectionClasses || column < 0 || column >= m_Columns)
            return 0;
        return m_Cells[row * m_Columns + column];
    }

    bool RowHasDuplicate(int row) const
    {
        for (int column = 0; column < m_Columns; ++column) {
            if (At(row, column) > 1)
                return true;
        }
        return false;
    }

private:
    int m_Columns;
    std::vector<int> m_Cells;
};

// Removes the receiver entries of a model, highest position first.
void RemoveReceiverEntries(int model)
{
    for (int i = g_ListedDevices.size() - 1; i >= 0; --i) {
        const DeviceAllInfo& entry = g_ListedDevices.at(i);
        if (entry.ModelIndex == model && !entry.KindFlag) {
            g_ListedDevices.removeAt(i);
            if (i < g_ListedDevicesCopy.size())
                g_ListedDevicesCopy.removeAt(i);
        }
    }
}

QString RateBadgePicture(std::uint8_t kind)
{
    switch (kind) {
    case 4: return QStringLiteral("2KHz.png");
    case 1: return QStringLiteral("4KHz.png");
    case 0: return QStringLiteral("1KHz.png");
    case 5:
    case 3: return QStringLiteral("8KHz.png");
    default: return QString();
    }
}

// Left edges of the buttons of a page holding count devices.
QList<int> ButtonColumns(int count)
{
    switch (count) {
    case 1: return {305};
    case 2: return {135, 445};
    default: return {0, 300, 600};
    }
}

QLabel* GridLabel(QWidget* page, const QString& name, int width, int height, int x, int y)
{
    auto* label = new QLabel(page);
    if (!name.isEmpty())
        label->setObjectName(name);
    label->setMinimumSize(width, height);
    label->setMaximumSize(width, height);
    label->setFocusPolicy(Qt::NoFocus);
    label->move(x, y);
    return label;
}

void AddDeviceWidgets(QWidget* page, int index, int x, int deviceTotal)
{
    const DeviceAllInfo& entry = g_ListedDevices.at(index);

    auto* button = new mytoolButtonEnter(page);
    button->setObjectName("btn" + QString::number(index));
    button->setMinimumSize(kButtonWidth, kButtonHeight);
    button->setMaximumSize(kButtonWidth, kButtonHeight);
    button->setFocusPolicy(Qt::NoFocus);
    if (entry.ModelIndex == deviceTotal)
        button->setStyleSheet(GridPictureStyle("QToolButton", "Unknow.png"));
    else if (entry.Mid() >= 3 && entry.Mid() <= 9)
        button->setStyleSheet(GridPictureStyle("QToolButton", "DisOnlin" + QString::number(entry.Mid() - 3) + ".png"));
    button->move(x, 0);
    g_DeviceButtons.append(button);

    QLabel* marker = GridLabel(page, "label" + QString::number(index), kMarkerSize, kMarkerSize, x + 225, 20);
    marker->setStyleSheet(GridPictureStyle("QLabel", "DisOnline.png"));
    marker->setToolTip(OfflineMarkerToolTip());
    marker->hide();
    g_OfflineMarkers.append(marker);

    QLabel* icon = GridLabel(page, "UsbWifi" + QString::number(index), kMarkerSize, kMarkerSize, x + 225, 20);
    icon->setStyleSheet(GridPictureStyle("QLabel", entry.KindFlag ? "OnLineUsb.png" : "OnLineWifi.png"));
    icon->hide();
    g_ConnectionIcons.append(icon);

    const QString badgePicture = RateBadgePicture(entry.Kind);
    if (!badgePicture.isEmpty()) {
        QLabel* badge = GridLabel(page, QString(), kBadgeWidth, kBadgeHeight, x + 7, 10);
        badge->setStyleSheet("QLabel{background-image: " + StyleUrl(g_DialogChangePictureDir + badgePicture) + ";}");
        g_RateBadges.append(badge);
    }
}

template <typename Widget>
void DeleteLater(QList<Widget*>& widgets)
{
    for (Widget* widget : widgets)
        widget->deleteLater();
    widgets.clear();
}
}

QString OfflineMarkerToolTip()
{
    return g_DeviceListText5 + "\n" + g_DeviceListText6;
}

QString GridPictureStyle(const QString& widgetClass, const QString& picture)
{
    return widgetClass + "{border:0px;background-position:center;background-repeat:no-repeat;background-image: "
           + StyleUrl(g_DialogChangePictureDir + picture) + ";color: rgb(255, 255, 255);}";
}

void DialogChange::RestyleDeviceButton(int index, const DeviceButtonLook& look)
{
    if (index < 0 || index >= g_DeviceButtons.size() || index >= g_ConnectionIcons.size()
        || index >= g_OfflineMarkers.size())
        return;
    if (!look.image.isEmpty())
        g_DeviceButtons.at(index)->setStyleSheet(GridPictureStyle("QToolButton", look.image));
    g_ConnectionIcons.at(index)->setVisible(look.connectionIconShown);
    if (look.offlineMarkerShown)
        g_OfflineMarkers.at(index)->setVisible(*look.offlineMarkerShown);
}

void DialogChange::BuildDeviceGrid()
{
    if (m_DuplicateNoticeOpen) {
        m_RebuildPending = true;
        return;
    }
    m_RebuildPending = false;
    BuildDeviceGridOnce();
}

// Shown from the event loop: the first build runs while the main window is
// still being made, and the notice belongs over the shown window.
void DialogChange::ShowDuplicateNotice()
{
    m_DuplicateNoticeQueued = false;
    // The devices changed meanwhile.
    if (!g_DuplicateDevices)
        return;
    QuestiondialogB notice;
    PlaceDialog(&notice, this);
    m_DuplicateNoticeOpen = true;
    notice.exec();
    m_DuplicateNoticeOpen = false;
    if (m_RebuildPending)
        BuildDeviceGrid();
}

// The old widgets may still be on the stack of a click that opened a dialog,
// so they go once control is back in the event loop.
void DialogChange::ClearDeviceGrid()
{
    DeleteLater(g_DeviceButtons);
    DeleteLater(g_OfflineMarkers);
    DeleteLater(g_RateBadges);
    DeleteLater(g_ConnectionIcons);
    for (int i = ui->stackedWidget->count() - 1; i >= 0; --i) {
        QWidget* page = ui->stackedWidget->widget(i);
        ui->stackedWidget->removeWidget(page);
        page->deleteLater();
    }
}

// Counts the entries, refreshing each one's online state; then drops the
// receiver entries of a model that is also plugged in by cable exactly once.
// False when a model stands twice on one connection class.
bool DialogChange::ApplyListRules(int deviceTotal)
{
    DeviceCounts counts(deviceTotal);
    for (int i = 0; i < g_ListedDevices.size(); ++i) {
        counts.Add(g_ListedDevices.at(i));
        RefreshOnlineByAddress(i);
    }

    // r names both a connection class (the duplicate test) and a model (the
    // cable rule), as the device description has always been read here.
    g_DuplicateDevices = false;
    for (int r = 0; r < deviceTotal; ++r) {
        if (counts.RowHasDuplicate(r)) {
            g_DuplicateDevices = true;
            continue;
        }
        if (!g_DuplicateDevices && counts.At(0, r) == 1)
            RemoveReceiverEntries(r);
    }
    return !g_DuplicateDevices;
}

void DialogChange::AddGridPages(int deviceTotal)
{
    const int count = g_ListedDevices.size();
    for (int first = 0; first < count; first += kDevicesPerPage) {
        const int onPage = std::min(kDevicesPerPage, count - first);
        auto* page = new QWidget();
        const QList<int> columns = ButtonColumns(onPage);
        for (int s = 0; s < onPage; ++s)
            AddDeviceWidgets(page, first + s, columns.at(s), deviceTotal);
        ui->stackedWidget->addWidget(page);
    }
    ui->stackedWidget->setCurrentIndex(0);
}

void DialogChange::BuildDeviceGridOnce()
{
    ClearDeviceGrid();

    const auto showOnlyPrompt = [this] {
        ui->label_2->show();
        ui->label_3->hide();
        ui->LeftButton->hide();
        ui->RightButton->hide();
    };
    if (g_ListedDevices.isEmpty()) {
        showOnlyPrompt();
        return;
    }
    const int deviceTotal = DeviceTotal();
    if (!ApplyListRules(deviceTotal)) {
        showOnlyPrompt();
        if (!m_DuplicateNoticeQueued) {
            m_DuplicateNoticeQueued = true;
            QMetaObject::invokeMethod(this, &DialogChange::ShowDuplicateNotice, Qt::QueuedConnection);
        }
        return;
    }

    ui->label_2->hide();
    ui->label_3->show();
    AddGridPages(deviceTotal);
    ui->RightButton->setVisible(g_ListedDevices.size() > kDevicesPerPage);
    ui->LeftButton->hide();

    const QList<QToolButton*> buttons = g_DeviceButtons;
    for (QToolButton* button : buttons) {
        RefreshDeviceEntry(DeviceButtonIndex(button));
        connect(button, SIGNAL(clicked()), this, SLOT(slotButtonClicked()));
    }
}
