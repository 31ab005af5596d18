#include "Glyphs.h"
#include "Manifest.h"
#include "MouseDrawing.h"
#include "Palette.h"
#include "Shapes.h"

#include <QPainter>
#include <QPainterPath>

using namespace Families;

namespace {

const QVector<Look> Unchecked = {Look::Normal, Look::Checked};

QColor withAlpha(QColor colour, qreal alpha)
{
    colour.setAlphaF(alpha);
    return colour;
}

void drawMoreRow(QPainter &painter, QSize size, Look look)
{
    Shapes::Row(painter, size, look == Look::Checked);
    DrawGlyph(painter, Glyphs::chevronRight(), QRectF(size.width() - 16, (size.height() - 10) / 2.0, 10, 10),
              look == Look::Checked ? Palette::accentHi() : Palette::glyph(), 1.5);
}

// The DPI level cards: the colour button of the level covers the slot at
// their foot, the DPI value is drawn by Qt above it.
void drawLevelCard(QPainter &painter, QSize size, bool selected)
{
    const QRectF card(0, 0, size.width(), size.height());
    if (!selected) {
        Shapes::Box(painter, card, 6, Shapes::VerticalFade(0, size.height(), Palette::ink4(), Palette::ink3()), Palette::line());
        Shapes::Box(painter, QRectF(2, 42, 50, 12), 3, Palette::ink0(), Qt::transparent, 0);
        return;
    }
    for (int ring = 3; ring > 0; --ring)
        Shapes::Box(painter, card.adjusted(3 - ring, 3 - ring, ring - 3, ring - 3), 8, Qt::transparent,
                    withAlpha(Palette::accent(), 0.12 * (4 - ring)), 1);
    Shapes::Box(painter, card.adjusted(2, 2, -2, -2), 6, Shapes::VerticalFade(0, size.height(), Palette::ink4().lighter(115), Palette::ink4()),
                Palette::accent(), 2);
    Shapes::Box(painter, QRectF(1, 55, 66, 14), 3, Palette::ink0(), Qt::transparent, 0);
}

// Laid over the level's LED colour: an edge and a gloss, the rest clear.
void drawColourOverlay(QPainter &painter, QSize size, bool selected)
{
    const QRectF strip(0, 0, size.width(), size.height());
    Shapes::Box(painter, strip.adjusted(selected ? 1 : 0, selected ? 1 : 0, selected ? -1 : 0, selected ? -1 : 0), 3,
                Qt::transparent, withAlpha(Qt::black, 0.3));
    painter.setPen(QPen(withAlpha(Palette::text(), 0.25), 1));
    const qreal top = selected ? 2.5 : 1.5;
    painter.drawLine(QPointF(4, top), QPointF(size.width() - 4, top));
    if (selected)
        Shapes::Box(painter, strip, 3.5, Qt::transparent, Palette::text());
}

void drawSliderKnob(QPainter &painter, QSize size)
{
    Shapes::Box(painter, QRectF(0, 0, size.width(), size.height()), 3, Palette::text(), Qt::transparent, 0);
    painter.fillRect(QRectF(size.width() / 2.0 - 1, 3, 2, size.height() - 6), Palette::accent());
}

void drawRecordPlate(QPainter &painter, QSize size, Look look, bool stop)
{
    Shapes::Plate(painter, size, look);
    const QPointF centre(18, size.height() / 2.0);
    if (stop)
        Shapes::Box(painter, QRectF(centre.x() - 4.5, centre.y() - 4.5, 9, 9), 1.5, Palette::text(), Qt::transparent, 0);
    else
        Shapes::Disc(painter, QRectF(centre.x() - 5, centre.y() - 5, 10, 10), Palette::danger(), Qt::transparent, 0);
}

void addButtonPage(QVector<PictureRow> &rows)
{
    const QString folder = "Buttoninterface";
    AddLooks(rows, folder, {"AMenuTitle.png", "AMenuTitleChecked.png"}, QSize(262, 26), Unchecked,
             [](QPainter &painter, QSize size, Look look) { Shapes::Row(painter, size, look == Look::Checked); });
    rows.append({folder, "LabelNumber.png", QSize(24, 24), [](QPainter &painter, QSize size) {
                     // A flat disc: Qt's 16 pt digit nearly fills it, so no ring to collide with.
                     Shapes::Disc(painter, QRectF(0, 0, size.width(), size.height()), Palette::ink4(), Qt::transparent, 0);
                 }});
    AddLooks(rows, folder, {"BMenuTitle.png", "BMenuTitleChecked.png"}, QSize(164, 22), Unchecked,
             [](QPainter &painter, QSize size, Look look) { Shapes::Row(painter, size, look == Look::Checked); });
    AddLooks(rows, folder, {"BMenuTitleB.png", "BMenuTitleCheckedB.png"}, QSize(164, 22), Unchecked, drawMoreRow);
    AddLooks(rows, folder, {"CMenuTitle.png", "CMenuTitleChecked.png"}, QSize(174, 22), Unchecked,
             [](QPainter &painter, QSize size, Look look) { Shapes::Row(painter, size, look == Look::Checked); });
    AddCombo(rows, folder, QSize(141, 34));
    AddLooks(rows, folder, {"Reset.png", "ResetHover.png", "ResetClick.png"}, QSize(90, 26),
             {Look::Normal, Look::Hover, Look::Pressed}, Shapes::Plate);
    AddLooks(rows, folder, {"NumberOrigin.png", "NumberHover.png", "NumberClick.png"}, QSize(38, 38),
             {Look::Normal, Look::Hover, Look::Pressed},
             [](QPainter &painter, QSize size, Look look) { Shapes::RingBadge(painter, size, 30, look); });
    rows.append({folder, "Config.png", QSize(20, 14), [](QPainter &painter, QSize size) {
                     Shapes::GlyphOnly(painter, size, Glyphs::layers(), 20, Palette::accentHi(), 1.5);
                 }});
    rows.append({folder, "TiltleBack.png", QSize(862, 216), [](QPainter &painter, QSize size) {
                     Shapes::Box(painter, QRectF(0, 0, size.width(), size.height()), 6, Palette::ink2(), Palette::line());
                 }});
    for (int model = 0; model < MouseModelCount; ++model)
        rows.append({folder, QString("mouse%1.png").arg(model), QSize(432, 356), [model](QPainter &painter, QSize) {
                         DrawMouse(painter, MouseModelFor(model), MouseFinish::Lit);
                     }});
}

void addSensorPage(QVector<PictureRow> &rows)
{
    const QString folder = "Sensor";
    AddCombo(rows, folder, QSize(130, 30));
    AddLooks(rows, folder, {"CheckBox.png", "CheckBoxChecked.png"}, QSize(16, 16), Unchecked,
             [](QPainter &painter, QSize size, Look look) { Shapes::SquareIndicator(painter, size, look == Look::Checked); });
    rows.append({folder, "Title.png", QSize(16, 10), DrawSectionMarker});
    AddLooks(rows, folder, {"ReportRate.png", "ReportRateClick.png"}, QSize(74, 26), Unchecked,
             [](QPainter &painter, QSize size, Look look) { Shapes::Chip(painter, size, look == Look::Checked); });
    rows.append({folder, "HuaKuai.png", QSize(18, 16), drawSliderKnob});
    AddToggle(rows, folder);
    AddLooks(rows, folder, {"LOD.png", "LODCheck.png"}, QSize(16, 16), Unchecked,
             [](QPainter &painter, QSize size, Look look) { Shapes::RadioIndicator(painter, size, look == Look::Checked); });
    AddPlusMinus(rows, folder);
    AddLooks(rows, folder, {"Level.png", "LevelHover.png"}, QSize(30, 30), {Look::Normal, Look::Hover},
             [](QPainter &painter, QSize, Look look) {
                 DrawGlyph(painter, Glyphs::caretUp(), QRectF(5, 1, 20, 20),
                           look == Look::Hover ? Palette::accentHi() : Palette::glyph(), 0);
             });
    rows.append({folder, "MinA.png", QSize(54, 56), [](QPainter &painter, QSize size) { drawLevelCard(painter, size, false); }});
    rows.append({folder, "MaxA.png", QSize(68, 70), [](QPainter &painter, QSize size) { drawLevelCard(painter, size, true); }});
    rows.append({folder, "MinB.png", QSize(50, 12), [](QPainter &painter, QSize size) { drawColourOverlay(painter, size, false); }});
    rows.append({folder, "MaxB.png", QSize(66, 14), [](QPainter &painter, QSize size) { drawColourOverlay(painter, size, true); }});
}

void addMacroPage(QVector<PictureRow> &rows)
{
    const QString folder = "Macro";
    const struct {
        QString file;
        Glyph glyph;
        QColor colour;
    } events[] = {
        {"MacroDown.png", Glyphs::keyDown(), Palette::accentHi()},
        {"MacroUp.png", Glyphs::keyUp(), Palette::light()},
        {"MacroTime.png", Glyphs::clock(), Palette::warn()},
    };
    for (const auto &event : events) {
        const Glyph glyph = event.glyph;
        const QColor colour = event.colour;
        rows.append({folder, event.file, QSize(16, 16), [glyph, colour](QPainter &painter, QSize size) {
                         Shapes::GlyphOnly(painter, size, glyph, 16, colour, 1.6);
                     }});
    }
    rows.append({folder, "Up.png", QSize(15, 15), [](QPainter &painter, QSize size) {
                     Shapes::GlyphOnly(painter, size, Glyphs::chevronUp(), 12, Palette::glyph(), 1.5);
                 }});
    rows.append({folder, "Down.png", QSize(15, 15), [](QPainter &painter, QSize size) {
                     Shapes::GlyphOnly(painter, size, Glyphs::chevronDown(), 12, Palette::glyph(), 1.5);
                 }});
    AddCombo(rows, folder, QSize(181, 30));
    // Both groups of boxes on this page are exclusive: they look like radios.
    AddLooks(rows, folder, {"CheckBox.png", "CheckBoxCheck.png"}, QSize(16, 16), Unchecked,
             [](QPainter &painter, QSize size, Look look) { Shapes::RadioIndicator(painter, size, look == Look::Checked); });
    AddLooks(rows, folder, {"Button.png", "ButtonHover.png", "ButtonClick.png"}, QSize(116, 30),
             {Look::Normal, Look::Hover, Look::Pressed}, Shapes::Plate);
    AddLooks(rows, folder, {"Record.png", "RecordHover.png"}, QSize(190, 32), {Look::Normal, Look::Hover},
             [](QPainter &painter, QSize size, Look look) { drawRecordPlate(painter, size, look, false); });
    AddLooks(rows, folder, {"Stop.png", "StopHover.png"}, QSize(190, 32), {Look::Normal, Look::Hover},
             [](QPainter &painter, QSize size, Look look) { drawRecordPlate(painter, size, look, true); });
}

} // namespace

void AddPagePictures(QVector<PictureRow> &rows)
{
    addButtonPage(rows);
    addSensorPage(rows);
    addMacroPage(rows);
}
