#pragma once

#include <QBrush>
#include <QColor>
#include <QRectF>
#include <QSize>

class QPainter;
struct Glyph;

// The building blocks every picture is made of. Each draws on a transparent
// canvas of the given size; the state model is the same everywhere.
enum class Look { Normal, Hover, Pressed, Checked };

namespace Shapes {

// A rounded rectangle whose outline of `edgeWidth` pixels lies inside `outer`.
void Box(QPainter &painter, const QRectF &outer, qreal radius, const QBrush &fill, const QColor &edge,
         qreal edgeWidth = 1);
// A circle whose outline lies inside the square `outer`.
void Disc(QPainter &painter, const QRectF &outer, const QBrush &fill, const QColor &edge, qreal edgeWidth = 1);
QBrush VerticalFade(qreal top, qreal bottom, const QColor &from, const QColor &to);

// Action plate (text drawn by Qt over it).
void Plate(QPainter &painter, QSize size, Look look);
// Plate whose fill is the accent colour: the one main action of a dialog.
void AccentPlate(QPainter &painter, QSize size);
// List row: checked rows get the accent edge and a bar along their left end.
void Row(QPainter &painter, QSize size, bool checked);
// Choice chip: checked chips are filled with the accent colour.
void Chip(QPainter &painter, QSize size, bool checked);
// Dialog panel: flat, square corners unless a radius is given, accent top line.
void Panel(QPainter &painter, QSize size, qreal radius = 0);
void ComboField(QPainter &painter, QSize size);
void ListBack(QPainter &painter, QSize size);
void SquareIndicator(QPainter &painter, QSize size, bool checked);
void RadioIndicator(QPainter &painter, QSize size, bool checked);
void Toggle(QPainter &painter, QSize size, bool on);
// A glyph alone at rest, and on a disc when hovered or pressed; `alarm` buttons
// (close) turn red instead of blue.
void GlyphButton(QPainter &painter, QSize size, const Glyph &glyph, qreal glyphBox, qreal stroke, Look look,
                 bool alarm = false);
// Page buttons of the page shell: a rounded square behind the glyph on hover,
// an accent underline when checked.
void PageButton(QPainter &painter, QSize size, const Glyph &glyph, Look look);
// The same button while it cannot be used: the glyph dimmed to the stroke colour.
void LockedPageButton(QPainter &painter, QSize size, const Glyph &glyph);
// Round badge with a ring; pressed badges are filled with the accent colour.
void RingBadge(QPainter &painter, QSize size, qreal diameter, Look look);
// A picture that only carries a glyph, centred in a box of `glyphBox` pixels.
void GlyphOnly(QPainter &painter, QSize size, const Glyph &glyph, qreal glyphBox, const QColor &colour,
               qreal stroke);
// Text from the stroke letters, centred on `centre`, letters `capHeight` high.
void StrokeText(QPainter &painter, const QString &text, QPointF centre, qreal capHeight, const QColor &colour,
                qreal stroke);

} // namespace Shapes
