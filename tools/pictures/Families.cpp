#include "Glyphs.h"
#include "Manifest.h"
#include "Palette.h"

#include <QPainter>

namespace Families {

void AddLooks(QVector<PictureRow> &rows, const QString &folder, const QStringList &files, QSize size,
              const QVector<Look> &looks, const std::function<void(QPainter &, QSize, Look)> &draw)
{
    for (int i = 0; i < files.size(); ++i) {
        const Look look = looks.at(i);
        rows.append({folder, files.at(i), size, [draw, look](QPainter &painter, QSize canvas) { draw(painter, canvas, look); }});
    }
}

void AddCloseButton(QVector<PictureRow> &rows, const QString &folder, const QStringList &files, QSize size)
{
    // The glyph keeps half the button, and its stroke follows the size.
    const qreal glyphBox = size.width() / 2.0;
    const qreal stroke = size.width() >= 20 ? 1.5 : 1.25;
    AddLooks(rows, folder, files, size, {Look::Normal, Look::Hover, Look::Pressed},
             [glyphBox, stroke](QPainter &painter, QSize canvas, Look look) {
                 Shapes::GlyphButton(painter, canvas, Glyphs::close(), glyphBox, stroke, look, true);
             });
}

void AddCombo(QVector<PictureRow> &rows, const QString &folder, QSize size)
{
    rows.append({folder, "ComboboxBack.png", size, Shapes::ComboField});
    rows.append({folder, "Menu.png", QSize(10, 6), [](QPainter &painter, QSize canvas) {
                     DrawGlyph(painter, Glyphs::chevronDown(), QRectF(-1, -5, 12, 12), Palette::light(), 1.5);
                     Q_UNUSED(canvas);
                 }});
    rows.append({folder, "MenuClicked.png", QSize(10, 6), [](QPainter &painter, QSize canvas) {
                     DrawGlyph(painter, Glyphs::chevronUp(), QRectF(-1, -3, 12, 12), Palette::accentHi(), 1.5);
                     Q_UNUSED(canvas);
                 }});
    // Five rows of 25 pixels; the list stretches a flat fill to any height.
    rows.append({folder, "ComboboxTextBack.png", QSize(size.width(), 125), Shapes::ListBack});
}

void AddToggle(QVector<PictureRow> &rows, const QString &folder)
{
    // Here "Close" is the switch turned off, not a close button.
    rows.append({folder, "Close.png", QSize(36, 18), [](QPainter &painter, QSize canvas) { Shapes::Toggle(painter, canvas, false); }});
    rows.append({folder, "Open.png", QSize(36, 18), [](QPainter &painter, QSize canvas) { Shapes::Toggle(painter, canvas, true); }});
}

void AddPlusMinus(QVector<PictureRow> &rows, const QString &folder)
{
    // The minus button is only four pixels high: the bar fills its middle.
    rows.append({folder, "Reduce.png", QSize(14, 4), [](QPainter &painter, QSize) {
                     Shapes::Box(painter, QRectF(2, 1, 10, 2), 1, Palette::light(), Qt::transparent, 0);
                 }});
    rows.append({folder, "Add.png", QSize(14, 14), [](QPainter &painter, QSize canvas) {
                     Shapes::GlyphOnly(painter, canvas, Glyphs::plus(), 12.5, Palette::light(), 2);
                 }});
}

void DrawSectionMarker(QPainter &painter, QSize size)
{
    // Two slanted bars, the second one paler.
    const qreal h = size.height();
    const qreal slant = h * 0.45;
    const qreal bar = size.width() * 0.28;
    auto drawBar = [&](qreal left, const QColor &colour) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawPolygon(QPolygonF({QPointF(left + slant, 0), QPointF(left + slant + bar, 0), QPointF(left + bar, h),
                                       QPointF(left, h)}));
    };
    drawBar(0, Palette::accentHi());
    QColor second = Palette::accentHi();
    second.setAlphaF(0.5);
    drawBar(bar + 2, second);
}

} // namespace Families

QVector<PictureRow> PictureManifest()
{
    QVector<PictureRow> rows;
    AddShellPictures(rows);
    AddPagePictures(rows);
    AddSettingPictures(rows);
    return rows;
}

QVector<PictureRow> ResourceManifest()
{
    return {{"sensor/Source/SensorImage", "Title.png", QSize(16, 10), Families::DrawSectionMarker}};
}
