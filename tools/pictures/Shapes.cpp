#include "Shapes.h"

#include "Glyphs.h"
#include "Palette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace Shapes {

namespace {

QRectF canvas(QSize size)
{
    return QRectF(0, 0, size.width(), size.height());
}

QColor withAlpha(QColor colour, qreal alpha)
{
    colour.setAlphaF(alpha);
    return colour;
}

qreal plateRadius(QSize size)
{
    return size.height() >= 24 ? 4 : 3;
}

// A faint light line along the top edge, which makes plates read as raised.
void TopLight(QPainter &painter, const QRectF &outer, qreal radius, qreal alpha)
{
    painter.save();
    painter.setPen(QPen(withAlpha(Palette::text(), alpha), 1));
    painter.drawLine(QPointF(outer.left() + radius, outer.top() + 1.5), QPointF(outer.right() - radius, outer.top() + 1.5));
    painter.restore();
}

} // namespace

void Box(QPainter &painter, const QRectF &outer, qreal radius, const QBrush &fill, const QColor &edge, qreal edgeWidth)
{
    const qreal half = edgeWidth / 2;
    const QRectF inner = outer.adjusted(half, half, -half, -half);
    painter.save();
    painter.setBrush(fill);
    painter.setPen(edge.alpha() == 0 || edgeWidth <= 0 ? QPen(Qt::NoPen) : QPen(edge, edgeWidth));
    painter.drawRoundedRect(inner, qMax<qreal>(0, radius - half), qMax<qreal>(0, radius - half));
    painter.restore();
}

void Disc(QPainter &painter, const QRectF &outer, const QBrush &fill, const QColor &edge, qreal edgeWidth)
{
    Box(painter, outer, outer.width() / 2, fill, edge, edgeWidth);
}

QBrush VerticalFade(qreal top, qreal bottom, const QColor &from, const QColor &to)
{
    QLinearGradient fade(0, top, 0, bottom);
    fade.setColorAt(0, from);
    fade.setColorAt(1, to);
    return QBrush(fade);
}

void Plate(QPainter &painter, QSize size, Look look)
{
    const QRectF outer = canvas(size);
    const qreal radius = plateRadius(size);
    switch (look) {
    case Look::Normal:
    case Look::Checked:
        Box(painter, outer, radius, VerticalFade(0, size.height(), Palette::ink4(), Palette::ink3()), Palette::line());
        TopLight(painter, outer, radius, 0.06);
        break;
    case Look::Hover:
        Box(painter, outer, radius, VerticalFade(0, size.height(), Palette::ink4().lighter(115), Palette::ink4()),
            Palette::accentHi());
        TopLight(painter, outer, radius, 0.08);
        break;
    case Look::Pressed:
        Box(painter, outer, radius, Palette::accentLo(), Palette::accent());
        break;
    }
}

void AccentPlate(QPainter &painter, QSize size)
{
    const QRectF outer = canvas(size);
    const qreal radius = plateRadius(size);
    Box(painter, outer, radius, VerticalFade(0, size.height(), Palette::accentHi(), Palette::accent()),
        Palette::accentLo());
    TopLight(painter, outer, radius, 0.18);
}

void Row(QPainter &painter, QSize size, bool checked)
{
    const QRectF outer = canvas(size);
    const qreal radius = plateRadius(size);
    if (!checked) {
        Box(painter, outer, radius, Palette::ink3(), Palette::line());
        return;
    }
    Box(painter, outer, radius, Palette::ink4(), Palette::accent());
    QPainterPath shape;
    shape.addRoundedRect(outer, radius, radius);
    painter.save();
    painter.setClipPath(shape);
    painter.fillRect(QRectF(0, 0, 3, size.height()), Palette::accent());
    painter.restore();
}

void Chip(QPainter &painter, QSize size, bool checked)
{
    const QRectF outer = canvas(size);
    if (checked)
        Box(painter, outer, 4, VerticalFade(0, size.height(), Palette::accentHi(), Palette::accent()), Palette::accentHi());
    else
        Box(painter, outer, 4, Palette::ink3(), Palette::line());
}

void Panel(QPainter &painter, QSize size, qreal radius)
{
    QRectF outer = canvas(size);
    if (radius > 0) {
        // A soft shadow inside the canvas; the window around it is translucent.
        const int shadow = 6;
        for (int ring = shadow; ring > 0; --ring)
            Box(painter, outer.adjusted(shadow - ring, shadow - ring + 1, ring - shadow, ring - shadow + 1),
                radius + ring, withAlpha(Qt::black, 0.05), Qt::transparent, 0);
        outer.adjust(shadow, shadow, -shadow, -shadow);
    }
    Box(painter, outer, radius, Palette::ink2(), Palette::line());
    QPainterPath shape;
    shape.addRoundedRect(outer, radius, radius);
    painter.save();
    painter.setClipPath(shape);
    painter.fillRect(QRectF(outer.left(), outer.top(), outer.width(), 2), Palette::accent());
    painter.restore();
}

void ComboField(QPainter &painter, QSize size)
{
    Box(painter, canvas(size), 2, VerticalFade(0, size.height(), Palette::ink3(), Palette::ink2()), Palette::line());
}

void ListBack(QPainter &painter, QSize size)
{
    painter.fillRect(canvas(size), Palette::ink2());
}

void SquareIndicator(QPainter &painter, QSize size, bool checked)
{
    const QRectF box = canvas(size).adjusted(1, 1, -1, -1);
    if (!checked) {
        Box(painter, box, 3, Palette::ink3(), Palette::glyph().darker(150));
        return;
    }
    Box(painter, box, 3, Palette::accent(), Palette::accentHi());
    DrawGlyph(painter, Glyphs::check(), box.adjusted(1, 1, -1, -1), Palette::text(), 2);
}

void RadioIndicator(QPainter &painter, QSize size, bool checked)
{
    const QRectF ring = canvas(size).adjusted(1, 1, -1, -1);
    if (!checked) {
        Disc(painter, ring, Palette::ink3(), Palette::glyph().darker(150), 1.5);
        return;
    }
    Disc(painter, ring, Palette::ink3(), Palette::accentHi(), 1.5);
    const QPointF centre = ring.center();
    Disc(painter, QRectF(centre.x() - 3.5, centre.y() - 3.5, 7, 7), Palette::accentHi(), Qt::transparent, 0);
}

void Toggle(QPainter &painter, QSize size, bool on)
{
    const QRectF track = canvas(size);
    const qreal knob = size.height() - 4;
    if (on) {
        Box(painter, track, size.height() / 2.0, Palette::accent(), Palette::accentHi());
        Disc(painter, QRectF(size.width() - 2 - knob, 2, knob, knob), Palette::text(), Qt::transparent, 0);
    } else {
        Box(painter, track, size.height() / 2.0, Palette::ink4(), Palette::line());
        Disc(painter, QRectF(2, 2, knob, knob), Palette::glyph(), Qt::transparent, 0);
    }
}

void GlyphButton(QPainter &painter, QSize size, const Glyph &glyph, qreal glyphBox, qreal stroke, Look look, bool alarm)
{
    const QRectF outer = canvas(size);
    QColor colour = Palette::glyph();
    if (look == Look::Hover || look == Look::Pressed) {
        QColor disc = look == Look::Hover ? (alarm ? Palette::danger() : Palette::ink4())
                                          : (alarm ? Palette::dangerLo() : Palette::accentLo());
        const qreal side = qMin(outer.width(), outer.height());
        Disc(painter, QRectF(outer.center().x() - side / 2, outer.center().y() - side / 2, side, side), disc,
             Qt::transparent, 0);
        colour = Palette::text();
    }
    const QRectF box(outer.center().x() - glyphBox / 2, outer.center().y() - glyphBox / 2, glyphBox, glyphBox);
    DrawGlyph(painter, glyph, box, colour, stroke);
}

// Where a page button's glyph sits.
const QRectF PageGlyphBox(5, 3, 20, 20);

void PageButton(QPainter &painter, QSize size, const Glyph &glyph, Look look)
{
    const QRectF outer = canvas(size);
    const QRectF box = PageGlyphBox;
    switch (look) {
    case Look::Normal:
        DrawGlyph(painter, glyph, box, Palette::glyph(), 2);
        break;
    case Look::Hover:
        Box(painter, outer, 6, Palette::ink4(), Qt::transparent, 0);
        DrawGlyph(painter, glyph, box, Palette::text(), 2);
        break;
    case Look::Pressed:
    case Look::Checked:
        DrawGlyph(painter, glyph, box, Palette::accentHi(), 2);
        painter.fillRect(QRectF(8, 27, 14, 2), Palette::accent());
        break;
    }
}

void LockedPageButton(QPainter &painter, QSize, const Glyph &glyph)
{
    DrawGlyph(painter, glyph, PageGlyphBox, Palette::line(), 2);
}

void RingBadge(QPainter &painter, QSize size, qreal diameter, Look look)
{
    const QPointF centre = canvas(size).center();
    const QRectF disc(centre.x() - diameter / 2, centre.y() - diameter / 2, diameter, diameter);
    // A dark halo keeps the badge apart from whatever it is pinned on.
    Disc(painter, disc.adjusted(-2, -2, 2, 2), withAlpha(Palette::ink0(), 0.55), Qt::transparent, 0);
    switch (look) {
    case Look::Normal:
    case Look::Checked:
        Disc(painter, disc, Palette::ink2(), Palette::glyph(), 2);
        break;
    case Look::Hover:
        Disc(painter, disc, Palette::ink4(), Palette::accentHi(), 2);
        break;
    case Look::Pressed:
        Disc(painter, disc, Palette::accent(), Palette::accentHi(), 2);
        break;
    }
}

void GlyphOnly(QPainter &painter, QSize size, const Glyph &glyph, qreal glyphBox, const QColor &colour, qreal stroke)
{
    const QPointF centre = canvas(size).center();
    const qreal width = qMin(glyphBox, qreal(size.width()));
    const qreal height = qMin(glyphBox, qreal(size.height()));
    DrawGlyph(painter, glyph, QRectF(centre.x() - width / 2, centre.y() - height / 2, width, height), colour, stroke);
}

void StrokeText(QPainter &painter, const QString &text, QPointF centre, qreal capHeight, const QColor &colour,
                qreal stroke)
{
    const qreal scale = capHeight / 7;
    const qreal advance = 5 * scale + stroke + 1.5;
    const qreal width = text.size() * advance - (stroke + 1.5);
    qreal left = centre.x() - width / 2;
    for (QChar character : text) {
        DrawGlyph(painter, Glyphs::letter(character), QRectF(left, centre.y() - capHeight / 2, 5 * scale, capHeight),
                  colour, stroke);
        left += advance;
    }
}

} // namespace Shapes
