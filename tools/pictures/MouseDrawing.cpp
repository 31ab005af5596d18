#include "MouseDrawing.h"

#include "Glyphs.h"
#include "Palette.h"

#include <QPainter>
#include <QPolygonF>
#include <QRadialGradient>
#include <QTransform>
#include <QtMath>

namespace {

constexpr qreal Axis = 216;
constexpr qreal Front = 26;
constexpr qreal ButtonEdge = 142;     // where the buttons end at the flanks
constexpr qreal ButtonEdgeMid = 151;  // and at the middle
constexpr qreal SideButtonY[] = {129, 184};

qreal rear(const MouseModel &model)
{
    return Front + 310 * model.length;
}

// Half-width of the shell along its length (t = 0 at the front, 1 at the
// rear): an egg, widest a little behind the middle.
qreal profile(qreal t)
{
    const qreal widest = 0.55;
    if (t <= 0 || t >= 1)
        return 0;
    if (t < widest)
        return qPow(1 - qPow((widest - t) / widest, 2.4), 1 / 2.4);
    return qPow(1 - qPow((t - widest) / (1 - widest), 2.2), 1 / 2.2);
}

qreal bump(qreal t, qreal at, qreal spread)
{
    const qreal u = (t - at) / spread;
    return qExp(-u * u);
}

qreal leftHalfWidth(const MouseModel &model, qreal y)
{
    const qreal t = (y - Front) / (rear(model) - Front);
    const qreal flare = model.ergonomic ? 1 + 0.09 * bump(t, 0.72, 0.16) : 1;
    return model.halfWidth * profile(t) * flare;
}

qreal rightHalfWidth(const MouseModel &model, qreal y)
{
    const qreal t = (y - Front) / (rear(model) - Front);
    const qreal taper = model.ergonomic ? 1 - 0.08 * bump(t, 0.35, 0.22) - 0.05 * bump(t, 0.9, 0.12) : 1;
    return model.halfWidth * profile(t) * taper;
}

QPainterPath shell(const MouseModel &model)
{
    QPolygonF outline;
    const qreal back = rear(model);
    const int steps = 240;
    for (int i = 0; i <= steps; ++i) {
        const qreal y = Front + (back - Front) * (1 - qCos(M_PI * i / steps)) / 2;
        outline << QPointF(Axis + rightHalfWidth(model, y), y);
    }
    for (int i = steps; i >= 0; --i) {
        const qreal y = Front + (back - Front) * (1 - qCos(M_PI * i / steps)) / 2;
        outline << QPointF(Axis - leftHalfWidth(model, y), y);
    }
    QPainterPath path;
    path.addPolygon(outline);
    path.closeSubpath();
    return path;
}

QPainterPath buttonArea()
{
    QPainterPath area;
    area.moveTo(0, 0);
    area.lineTo(432, 0);
    area.lineTo(432, ButtonEdge);
    area.quadTo(Axis, 2 * ButtonEdgeMid - ButtonEdge, 0, ButtonEdge);
    area.closeSubpath();
    return area;
}

QPainterPath buttonGap()
{
    QPainterPath gap;
    gap.moveTo(0, ButtonEdge);
    gap.quadTo(Axis, 2 * ButtonEdgeMid - ButtonEdge, 432, ButtonEdge);
    gap.moveTo(Axis, 0);
    gap.lineTo(Axis, ButtonEdgeMid);
    return gap;
}

QPainterPath capsule(QPointF centre, qreal width, qreal height)
{
    QPainterPath path;
    const qreal radius = qMin(width, height) / 2;
    path.addRoundedRect(QRectF(centre.x() - width / 2, centre.y() - height / 2, width, height), radius, radius);
    return path;
}

QPainterPath honeycomb(const MouseModel &model)
{
    QPainterPath holes;
    const qreal size = 7.5;
    const qreal across = size * qSqrt(3.0);
    for (int row = 0; row < 40; ++row) {
        const qreal y = 200 + row * size * 1.5;
        if (y > rear(model) - 30)
            break;
        for (int column = -8; column <= 8; ++column) {
            const qreal x = Axis + column * across + (row % 2 ? across / 2 : 0);
            QPolygonF hexagon;
            for (int corner = 0; corner < 6; ++corner) {
                const qreal angle = qDegreesToRadians(60.0 * corner + 30);
                hexagon << QPointF(x + (size - 1.6) * qCos(angle), y + (size - 1.6) * qSin(angle));
            }
            holes.addPolygon(hexagon);
            holes.closeSubpath();
        }
    }
    return holes;
}

QPainterPath insetShell(const MouseModel &model, qreal factor)
{
    const QPointF centre(Axis, (Front + rear(model)) / 2);
    QTransform shrink;
    shrink.translate(centre.x(), centre.y());
    shrink.scale(factor, factor * 1.02 - 0.02);
    shrink.translate(-centre.x(), -centre.y());
    return shrink.map(shell(model));
}

void drawOutline(QPainter &painter, const MouseModel &model)
{
    QPen dashed(Palette::glyph(), 2, Qt::CustomDashLine, Qt::RoundCap, Qt::RoundJoin);
    dashed.setDashPattern({4, 3});
    painter.setPen(dashed);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shell(model));
    dashed.setWidthF(1.5);
    dashed.setColor(Palette::line().lighter(130));
    painter.setPen(dashed);
    painter.save();
    painter.setClipPath(shell(model));
    painter.drawPath(buttonGap());
    painter.restore();
}

} // namespace

MouseModel MouseModelFor(int number)
{
    MouseModel model;
    switch (number) {
    case 0:
        model.accent = Palette::accentHi();
        break;
    case 1:
        model.ergonomic = true;
        model.accent = QColor(0x00, 0xC8, 0xFF);
        model.sixthButton = true;
        break;
    case 2:
        model.length = 0.97;
        model.honeycomb = true;
        model.accent = Palette::ok();
        model.sixthButton = true;
        break;
    case 3:
        model.length = 0.92;
        model.halfWidth = 90;
        model.accent = Palette::warn();
        break;
    case 4:
        model.ergonomic = true;
        model.length = 0.96;
        model.accent = Palette::danger();
        break;
    case 5:
        model.honeycomb = true;
        model.accent = QColor(0xA8, 0x72, 0xFF);
        break;
    default:
        model.length = 0.94;
        model.halfWidth = 92;
        model.accent = Palette::light();
        break;
    }
    return model;
}

QRectF MouseBounds(const MouseModel &model)
{
    return shell(model).boundingRect();
}

void DrawMouse(QPainter &painter, const MouseModel &model, MouseFinish finish)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath body = shell(model);
    const qreal back = rear(model);

    if (finish == MouseFinish::Outline) {
        drawOutline(painter, model);
        painter.restore();
        return;
    }

    // A soft shadow on the desk: the outline grown in faint steps.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 20));
    const QPointF middle(Axis, (Front + back) / 2);
    for (int step = 9; step >= 1; --step) {
        QTransform grow;
        grow.translate(middle.x(), middle.y() + 6);
        grow.scale(1 + step * 0.014, 1 + step * 0.009);
        grow.translate(-middle.x(), -middle.y());
        painter.drawPath(grow.map(body));
    }

    // Shell, lit from the front.
    QRadialGradient shade(QPointF(Axis - 20, Front + 110), back - Front);
    shade.setColorAt(0, QColor(0x45, 0x4B, 0x55));
    shade.setColorAt(0.55, Palette::ink3());
    shade.setColorAt(1, Palette::ink1());
    painter.setBrush(shade);
    painter.drawPath(body);

    if (model.honeycomb) {
        painter.setBrush(Palette::ink0());
        painter.drawPath(honeycomb(model).intersected(insetShell(model, 0.9)));
    }

    // Buttons: a slightly brighter panel, split down the middle.
    QRadialGradient buttons(QPointF(Axis, Front + 40), 150);
    buttons.setColorAt(0, QColor(0x4A, 0x51, 0x5C));
    buttons.setColorAt(1, Palette::ink4());
    painter.setBrush(buttons);
    painter.drawPath(body.intersected(buttonArea()));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Palette::ink0(), 2.5, Qt::SolidLine, Qt::FlatCap));
    painter.save();
    painter.setClipPath(body);
    painter.drawPath(buttonGap());
    painter.restore();

    // Wheel in its slot.
    painter.setPen(Qt::NoPen);
    painter.setBrush(Palette::ink0());
    painter.drawPath(capsule(QPointF(Axis, 79), 24, 50));
    QLinearGradient wheel(Axis - 8, 0, Axis + 8, 0);
    wheel.setColorAt(0, QColor(0x2A, 0x2E, 0x35));
    wheel.setColorAt(0.5, QColor(0x6A, 0x72, 0x7E));
    wheel.setColorAt(1, QColor(0x2A, 0x2E, 0x35));
    painter.setBrush(wheel);
    painter.drawPath(capsule(QPointF(Axis, 79), 16, 40));
    painter.setPen(QPen(QColor(0, 0, 0, 90), 1));
    for (qreal y = 64.5; y < 96; y += 4)
        painter.drawLine(QPointF(Axis - 6, y), QPointF(Axis + 6, y));

    // Sixth button behind the wheel.
    if (model.sixthButton) {
        painter.setPen(QPen(Palette::ink0(), 1.5));
        painter.setBrush(QColor(0x4A, 0x51, 0x5C));
        painter.drawPath(capsule(QPointF(Axis, 164), 12, 22));
    }

    // Side buttons on the left flank.
    for (qreal y : SideButtonY) {
        const qreal edge = Axis - leftHalfWidth(model, y);
        QLinearGradient side(edge, 0, edge + 14, 0);
        side.setColorAt(0, QColor(0x55, 0x5C, 0x68));
        side.setColorAt(1, Palette::ink4());
        painter.setPen(QPen(Palette::ink0(), 1.5));
        painter.setBrush(side);
        painter.drawPath(capsule(QPointF(edge + 6, y), 14, 40));
    }

    // Light strip along the rear flanks.
    const QColor strip = finish == MouseFinish::Lit ? model.accent : Palette::line();
    painter.save();
    painter.setClipRect(QRectF(0, 215, 432, back - 215 - 14));
    painter.setBrush(Qt::NoBrush);
    if (finish == MouseFinish::Lit) {
        QColor glow = strip;
        glow.setAlphaF(0.3);
        painter.setPen(QPen(glow, 7, Qt::SolidLine, Qt::RoundCap));
        painter.drawPath(insetShell(model, 0.955));
    }
    painter.setPen(QPen(strip, 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(insetShell(model, 0.955));
    painter.restore();

    // Mark on the palm rest.
    DrawGlyph(painter, Glyphs::monogram(), QRectF(Axis - 11, back - 78, 22, 22), Palette::line().lighter(120), 2.5);

    // Rim and rim light.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 38), 1));
    painter.drawPath(insetShell(model, 0.992));
    painter.setPen(QPen(Palette::line(), 1.5));
    painter.drawPath(body);
    painter.restore();
}
