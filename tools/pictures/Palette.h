#pragma once

#include <QColor>
#include <QString>
#include <QVector>

// The program's colours. Pictures use nothing else, and the text colours that
// Qt draws over them come from the same table (the Option group of the device
// description), so text and pictures stay one look.
namespace Palette {

inline QColor ink0() { return QColor(0x0E, 0x0F, 0x12); }     // deepest base
inline QColor ink1() { return QColor(0x16, 0x18, 0x1C); }     // page backdrop
inline QColor ink2() { return QColor(0x1E, 0x21, 0x26); }     // panels, cards, lists
inline QColor ink3() { return QColor(0x27, 0x2B, 0x31); }     // plates, rows, fields
inline QColor ink4() { return QColor(0x32, 0x37, 0x40); }     // hover, checked rows
inline QColor line() { return QColor(0x3D, 0x43, 0x4C); }     // 1 px strokes
inline QColor glyph() { return QColor(0x8C, 0x93, 0x9D); }    // glyphs at rest
inline QColor light() { return QColor(0xC8, 0xCD, 0xD3); }    // outlines that must read on any fill
inline QColor text() { return QColor(0xFF, 0xFF, 0xFF); }
inline QColor accent() { return QColor(0x00, 0x5D, 0xF9); }
inline QColor accentHi() { return QColor(0x3D, 0x86, 0xFF); }
inline QColor accentLo() { return QColor(0x00, 0x47, 0xC2); }
inline QColor ok() { return QColor(0x00, 0xFF, 0x99); }
inline QColor danger() { return QColor(0xE5, 0x48, 0x4D); }
inline QColor dangerLo() { return QColor(0xB3, 0x2D, 0x32); }
inline QColor warn() { return QColor(0xFF, 0x6A, 0x00); }

struct OptionColour
{
    QString key;
    QColor colour;
};

// The Option colour keys of usersetting/Config.ini and the palette entry each
// must hold.
inline QVector<OptionColour> optionColours()
{
    return {
        {"LabelColor", text()},
        {"ButtonColor", text()},
        // The text of the dialogs' line edits and spin boxes, on their light fields.
        {"LinEditColor", ink2()},
        {"LinEditColorSecond", text()},
        {"ComboxTextColor", text()},
        {"ComboxSelectColor", accent()},
        {"ComboxBackGroundColor", ink4()},
        {"SliderColor", accent()},
    };
}

} // namespace Palette
