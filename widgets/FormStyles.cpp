#include "widgets/FormStyles.h"

#include "core/ConfigIni.h"
#include "platform/PlainFile.h"
#include "platform/ProgramFolder.h"

#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QDebug>
#include <QIcon>
#include <QListView>
#include <QPalette>
#include <QPixmapCache>
#include <QStringList>

#include <algorithm>

namespace {

// Room for every picture of the Picture folder decoded (about 21 MB) and
// Qt's own icons, in kilobytes.
constexpr int kPictureCacheKb = 32 * 1024;

QString PropertyName(PictureProperty property)
{
    return property == PictureProperty::Background ? QStringLiteral("background-image")
                                                   : QStringLiteral("border-image");
}

// What Qt's picture loaders are given for path: the path itself, or none
// where something other than a regular file (or a link to one) stands, as Qt
// opens a picture file with a blocking open, and a FIFO there would stop the
// GUI thread for good. No path is taken as a missing picture, logged as Qt
// logs a missing one.
QString LoadablePicture(const QString& path)
{
    if (IsPlainFileOrNothing(path, LinkAtPath::Followed))
        return path;
    qWarning().noquote() << path << "is not a regular file; it is taken as a missing picture.";
    return QString();
}

} // namespace

// Qt reads a quoted url twice: first a backslash keeps the character after
// it (\" gives "), then a backslash and hexadecimal digits give the character
// of that code. A backslash or a control character of the path is therefore
// written as an escaped backslash and six digits (\\00005c for a backslash).
QString StyleUrl(const QString& path)
{
    const QString loadable = LoadablePicture(path);
    QString escaped;
    escaped.reserve(loadable.size() + 2);
    for (const QChar c : loadable) {
        if (c == '\\' || c.category() == QChar::Other_Control)
            escaped += QStringLiteral("\\\\%1").arg(c.unicode(), 6, 16, QLatin1Char('0'));
        else if (c == '"')
            escaped += QStringLiteral("\\\"");
        else
            escaped += c;
    }
    return "url(\"" + escaped + "\")";
}

QIcon PictureIcon(const QString& path)
{
    return QIcon(LoadablePicture(path));
}

QString PictureFolder(const QString& page)
{
    return ProgramFolder() + "/Picture/" + page + "/";
}

QString ColorText(const QColor& color)
{
    return QStringLiteral("%1,%2,%3").arg(color.red()).arg(color.green()).arg(color.blue());
}

QColor ColorOfText(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 3)
        return QColor();
    int channels[3] = {};
    for (int i = 0; i < 3; ++i) {
        bool number = false;
        channels[i] = parts.at(i).trimmed().toInt(&number);
        if (!number || channels[i] < 0 || channels[i] > 255)
            return QColor();
    }
    return QColor(channels[0], channels[1], channels[2]);
}

QString OptionColorText(const QString& key)
{
    return ColorText(OptionColor(key));
}

QString TextColorStyle(const QString& widgetClass, const QString& colorText)
{
    return widgetClass + "{color: rgb(" + colorText + ";);}";
}

QString LabelStyle(const QString& colorText)
{
    return TextColorStyle(QStringLiteral("QLabel"), colorText);
}

QString CheckBoxStyle(const QString& folder, const QString& colorText, const QString& checkedPicture,
                      const QString& uncheckedPicture)
{
    return TextColorStyle(QStringLiteral("QCheckBox"), colorText) + "QCheckBox::indicator:checked {image: "
           + StyleUrl(folder + checkedPicture) + ";}QCheckBox::indicator:unchecked {image: "
           + StyleUrl(folder + uncheckedPicture) + ";}";
}

QString ColoredButtonStyle(const QString& buttonClass, PictureProperty property, const QString& folder,
                           const QString& colorText, const ButtonPictures& pictures)
{
    const QString name = PropertyName(property);
    QString style = buttonClass
                    + "{border:0px;background-position:center;background-repeat:no-repeat;color: rgb("
                    + colorText + ";);" + name + ": " + StyleUrl(folder + pictures.normal) + ";}";
    const QPair<QString, QString> states[] = {
        {QStringLiteral("hover"), pictures.hover},
        {QStringLiteral("pressed"), pictures.pressed},
        {QStringLiteral("checked"), pictures.checked},
    };
    for (const auto& state : states) {
        if (!state.second.isEmpty())
            style += buttonClass + ":" + state.first + "{" + name + ": " + StyleUrl(folder + state.second) + "; }";
    }
    return style;
}

QString ConfirmButtonStyle(const QString& folder, const QString& colorText, const QString& picture,
                           const QString& pressedPicture)
{
    return ColoredButtonStyle(QStringLiteral("QToolButton"), PictureProperty::Border, folder, colorText,
                              {picture, QString(), pressedPicture, QString()});
}

QString PictureButtonStyle(const QString& folder, const QString& picture, const QString& hoverPicture,
                           const QString& pressedPicture)
{
    return "QToolButton{border:0px;background-image: " + StyleUrl(folder + picture)
           + ";background-position:center;background-repeat:no-repeat;}QToolButton:hover{background-image: "
           + StyleUrl(folder + hoverPicture) + ";}QToolButton:pressed{background-image: "
           + StyleUrl(folder + pressedPicture) + ";}";
}

QString CloseButtonStyle(const QString& folder)
{
    return PictureButtonStyle(folder, QStringLiteral("Close.png"), QStringLiteral("CloseHover.png"),
                              QStringLiteral("CloseClick.png"));
}

QString CheckablePictureButtonStyle(const QString& folder, const QString& picture, const QString& hoverPicture,
                                    const QString& checkedPicture)
{
    return "QToolButton{border: 0px;background-position:center;background-repeat:no-repeat;background-image: "
           + StyleUrl(folder + picture) + ";}QToolButton:hover{background-image:  " + StyleUrl(folder + hoverPicture)
           + ";}QToolButton:checked{background-image: " + StyleUrl(folder + checkedPicture) + ";}";
}

QString FrameBackgroundStyle(const QString& objectName, const QString& folder, const QString& picture, RuleEnd end,
                             PictureProperty property)
{
    const QString name = PropertyName(property);
    return "#" + objectName + "{border:0px;background-position:center;background-repeat:no-repeat;" + name
           + ": " + StyleUrl(folder + picture) + (end == RuleEnd::Tight ? ";}" : "; }");
}

ComboBoxColors OptionComboBoxColors()
{
    return {OptionColorText(QStringLiteral("ComboxTextColor")),
            OptionColorText(QStringLiteral("ComboxBackGroundColor")),
            OptionColorText(QStringLiteral("ComboxSelectColor"))};
}

QColor DisabledTextColor()
{
    return QColor(150, 156, 166);
}

QString ComboBoxStyle(const QString& folder, const ComboBoxColors& colors)
{
    return "QComboBox{border: 1px solid gray; color: rgb(" + colors.text + "); border-image: "
           + StyleUrl(folder + "ComboboxBack.png")
           + ";}QComboBox::drop-down:button{border-radius:5px; background:rgb(" + colors.background
           + ");} QComboBox::down-arrow{image: " + StyleUrl(folder + "Menu.png")
           + "; right: 8px; }QComboBox::down-arrow:on{ image: " + StyleUrl(folder + "MenuClicked.png")
           + ";}QComboBox QAbstractItemView::item{height:25px;}QComboBox QAbstractItemView "
             "{outline: 0px solid gray; border: 1px  solid gray;color: rgb("
           + colors.text + "); border-image: " + StyleUrl(folder + "ComboboxTextBack.png")
           + ";selection-background-color: rgb("
           + colors.select + "); }QComboBox:disabled{color: rgb(" + ColorText(DisabledTextColor()) + ");}";
}

QString ComboBoxListViewStyle(const QString& selectColorText)
{
    return "QListView::item:selected{background-color: rgb(" + selectColorText
           + ");}QListView::item:hover{background-color: rgb(" + selectColorText + ");}";
}

QListView* StyleComboBox(QComboBox* box, const QString& folder, const ComboBoxColors& colors)
{
    box->setStyleSheet(ComboBoxStyle(folder, colors));
    auto* view = new QListView();
    view->setStyleSheet(ComboBoxListViewStyle(colors.select));
    box->setView(view);
    return view;
}

void ApplyWindowColor()
{
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Window, QColor(0x16, 0x18, 0x1C));
    // Texts drawn straight on the window (the labels of Qt's own colour and
    // file dialogs) must stand out from it as the forms' texts do.
    palette.setColor(QPalette::Active, QPalette::WindowText, QColor(0xE6, 0xE8, 0xEB));
    palette.setColor(QPalette::Inactive, QPalette::WindowText, QColor(0xE6, 0xE8, 0xEB));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, DisabledTextColor());
    QApplication::setPalette(palette);
}

void CachePicturesOnce()
{
    QPixmapCache::setCacheLimit(std::max(QPixmapCache::cacheLimit(), kPictureCacheKb));
}

QFont FamilyFont(const QString& family, int pointSize, bool bold)
{
    QFont font;
    if (!family.isEmpty())
        font.setFamily(family);
    if (pointSize > 0)
        font.setPointSize(pointSize);
    if (bold)
        font.setBold(true);
    return font;
}

QFont FormFont(int pointSize)
{
    return FamilyFont(QString::fromUtf8("微软雅黑"), pointSize);
}
