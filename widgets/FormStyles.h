#pragma once

#include <QFont>
#include <QString>

class QColor;
class QComboBox;
class QIcon;
class QListView;

// Builders of the style sheets that recur across the forms. Each returns the
// exact text the forms have always used (odd spacing, "c;)" colours and all),
// so a form built with them looks as designed; each picture path is a
// StyleUrl. folder is a picture folder
// ending in "/" (see PictureFolder); a colour text is "r,g,b" (see
// OptionColorText).

// A picture's path as a style sheet takes it: url("path"), with '"', '\' and
// control characters escaped, so that a path holding quotes, spaces,
// parentheses or backslashes (a program folder anywhere) still parses.
// Where path names something other than a regular file (or a link to one),
// such as a FIFO, whose open would block, it gives url(""): no picture, as
// for a missing file. Every path put into a style sheet goes through here.
QString StyleUrl(const QString& path);

// The icon of the picture file at path, with StyleUrl's rule: a null icon, as
// for a missing file, where path names something other than a regular file
// (or a link to one). Every picture file made into an icon goes through here.
QIcon PictureIcon(const QString& path);

// ProgramFolder() + "/Picture/" + page + "/".
QString PictureFolder(const QString& page);

// "r,g,b" of a colour, as the style sheets insert it into "rgb(" … ")".
QString ColorText(const QColor& color);
// The colour of such a text; an invalid colour for any other text.
QColor ColorOfText(const QString& text);
// The same for an Option colour key of the device description; a key with
// fewer than three items gives white.
QString OptionColorText(const QString& key);

// widgetClass "{color: rgb(" c ";);}", e.g. for "QLineEdit" or "QSpinBox".
QString TextColorStyle(const QString& widgetClass, const QString& colorText);
// "QLabel{color: rgb(" c ";);}"
QString LabelStyle(const QString& colorText);

// A check box with text in a colour and its indicator drawn by two pictures:
// "QCheckBox{color: rgb(" c ";);}QCheckBox::indicator:checked {image: " StyleUrl(folder checked)
// ";}QCheckBox::indicator:unchecked {image: " StyleUrl(folder unchecked) ";}"
QString CheckBoxStyle(const QString& folder, const QString& colorText,
                      const QString& checkedPicture = QStringLiteral("CheckBoxCheck.png"),
                      const QString& uncheckedPicture = QStringLiteral("CheckBox.png"));

// Where a button's pictures go: "background-image" or "border-image".
enum class PictureProperty { Background, Border };

// A button picture per state; an empty state picture adds no rule for that state.
struct ButtonPictures
{
    QString normal;
    QString hover;
    QString pressed;
    QString checked;
};

// A picture button with text in a colour:
// buttonClass "{border:0px;background-position:center;background-repeat:no-repeat;color: rgb(" c
// ";);" property ": " StyleUrl(folder normal) ";}", then for hover, pressed and checked (in
// this order, each only when given) buttonClass ":" state "{" property ": " StyleUrl(folder picture) "; }".
QString ColoredButtonStyle(const QString& buttonClass, PictureProperty property, const QString& folder,
                           const QString& colorText, const ButtonPictures& pictures);

// The confirm button of the dialogs: a QToolButton with border images
// "Confirm.png" and, while pressed, "ConfirmClick.png".
QString ConfirmButtonStyle(const QString& folder, const QString& colorText,
                           const QString& picture = QStringLiteral("Confirm.png"),
                           const QString& pressedPicture = QStringLiteral("ConfirmClick.png"));

// A tool button drawn by three background pictures: normal, hover, pressed.
QString PictureButtonStyle(const QString& folder, const QString& picture, const QString& hoverPicture,
                           const QString& pressedPicture);
// The close button of the dialogs: "Close.png", "CloseHover.png", "CloseClick.png".
QString CloseButtonStyle(const QString& folder);

// A checkable tool button drawn by three background pictures: normal, hover, checked.
QString CheckablePictureButtonStyle(const QString& folder, const QString& picture, const QString& hoverPicture,
                                    const QString& checkedPicture);

// How a frame's rule ends: ";}" or "; }".
enum class RuleEnd { Tight, Spaced };

// A frame drawn by one centred picture, selected by its object name:
// "#" name "{border:0px;background-position:center;background-repeat:no-repeat;" property ": " StyleUrl(folder picture) ";}".
QString FrameBackgroundStyle(const QString& objectName, const QString& folder,
                             const QString& picture = QStringLiteral("BackGround.png"), RuleEnd end = RuleEnd::Tight,
                             PictureProperty property = PictureProperty::Background);

// The combo boxes' colours: text, drop-down button background, selection.
struct ComboBoxColors
{
    QString text;
    QString background;
    QString select;
};
// From the Option keys ComboxTextColor, ComboxBackGroundColor and ComboxSelectColor.
ComboBoxColors OptionComboBoxColors();

// The text colour of disabled controls, one for every form: light enough to
// read on the program's dark pictures, darker than the enabled texts.
// ApplyWindowColor puts it into the application's palette.
QColor DisabledTextColor();

// The combo box with "ComboboxBack.png", "Menu.png", "MenuClicked.png" and
// "ComboboxTextBack.png" from folder; disabled, its text takes the disabled
// text colour.
QString ComboBoxStyle(const QString& folder, const ComboBoxColors& colors);
// The list of a combo box: selected and hovered items in the selection colour.
QString ComboBoxListViewStyle(const QString& selectColorText);
// Gives box the combo-box style and a list view of its own with the list style;
// the box owns the view.
QListView* StyleComboBox(QComboBox* box, const QString& folder, const ComboBoxColors& colors);

// The styled-panel frames of the forms are drawn by the platform style from
// the window colour; over the program's dark pictures a light window colour
// shows them as bright lines, so the application takes the backdrop's colour,
// with light texts on it (DisabledTextColor when disabled).
void ApplyWindowColor();

// Style sheets load their pictures through Qt's pixmap cache, whose default
// size is about half of what the program's pictures take decoded, so a
// picture that several forms name was decoded again and again. This makes
// room for all of them. Call once the application object exists.
void CachePicturesOnce();

// The forms' text font: the program's interface family, at a point size when
// one is given (a size of 0 or less keeps the default size).
QFont FormFont(int pointSize = -1);

// A font of another family (an empty family keeps the default one).
QFont FamilyFont(const QString& family, int pointSize = -1, bool bold = false);
