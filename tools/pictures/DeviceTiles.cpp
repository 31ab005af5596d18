#include "DeviceTiles.h"

#include "Glyphs.h"
#include "MouseDrawing.h"
#include "Palette.h"
#include "Shapes.h"

#include <QPainter>
#include <QRadialGradient>

namespace DeviceTiles {

namespace {

const QRectF CardRect(6, 6, 272, 348);
constexpr qreal CardRadius = 14;
constexpr qreal MouseScale = 0.78;
const QPointF MouseCentre(142, 200);

void placeMouse(QPainter &painter, const MouseModel &model)
{
    const QRectF bounds = MouseBounds(model);
    painter.translate(MouseCentre);
    painter.scale(MouseScale, MouseScale);
    painter.translate(-bounds.center());
}

void drawCardBase(QPainter &painter, const QColor &edge, qreal edgeWidth, Qt::PenStyle style = Qt::SolidLine)
{
    painter.save();
    const qreal half = edgeWidth / 2;
    QPen pen(edge, edgeWidth, style);
    if (style == Qt::CustomDashLine)
        pen.setDashPattern({4, 3});
    painter.setPen(pen);
    painter.setBrush(Shapes::VerticalFade(CardRect.top(), CardRect.bottom(), Palette::ink2(), Palette::ink1()));
    painter.drawRoundedRect(CardRect.adjusted(half, half, -half, -half), CardRadius, CardRadius);
    painter.restore();
}

void toGrey(QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = qGray(line[x]);
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]));
        }
    }
}

} // namespace

void DrawCard(QPainter &painter, QSize size, int model, Card card)
{
    const MouseModel mouse = MouseModelFor(model);
    if (card == Card::Online) {
        drawCardBase(painter, Palette::accent(), 1.5);
        QPainterPath inside;
        inside.addRoundedRect(CardRect, CardRadius, CardRadius);
        QRadialGradient glow(QPointF(142, 250), 190);
        QColor lit = Palette::accent();
        lit.setAlphaF(0.15);
        glow.setColorAt(0, lit);
        glow.setColorAt(1, Qt::transparent);
        painter.save();
        painter.setClipPath(inside);
        painter.fillRect(CardRect, glow);
        placeMouse(painter, mouse);
        DrawMouse(painter, mouse, MouseFinish::Lit);
        painter.restore();
        return;
    }
    // An offline device: the same card, grey, the mouse faded, the edge broken.
    drawCardBase(painter, Palette::line(), 1, Qt::CustomDashLine);
    QImage faded(size, QImage::Format_ARGB32_Premultiplied);
    faded.fill(Qt::transparent);
    {
        QPainter mousePainter(&faded);
        mousePainter.setRenderHints(painter.renderHints());
        placeMouse(mousePainter, mouse);
        DrawMouse(mousePainter, mouse, MouseFinish::Unlit);
    }
    faded = faded.convertToFormat(QImage::Format_ARGB32);
    toGrey(faded);
    painter.save();
    painter.setOpacity(0.45);
    painter.drawImage(0, 0, faded);
    painter.restore();
}

void DrawUnknownCard(QPainter &painter, QSize)
{
    drawCardBase(painter, Palette::line(), 1);
    const MouseModel mouse = MouseModelFor(0);
    painter.save();
    placeMouse(painter, mouse);
    DrawMouse(painter, mouse, MouseFinish::Outline);
    painter.restore();
    DrawGlyph(painter, Glyphs::question(), QRectF(MouseCentre.x() - 32, MouseCentre.y() - 24, 64, 64), Palette::glyph(), 6);
}

void DrawLink(QPainter &painter, QSize size, Link link)
{
    const QRectF disc(2, 2, size.width() - 4, size.height() - 4);
    Shapes::Disc(painter, disc, Palette::ink3(), Palette::line());
    const QRectF box(7, 7, size.width() - 14, size.height() - 14);
    switch (link) {
    case Link::Cable:
        DrawGlyph(painter, Glyphs::usb(), box, Palette::text(), 2);
        break;
    case Link::Wireless:
        DrawGlyph(painter, Glyphs::wireless(), box, Palette::accentHi(), 2);
        break;
    case Link::Offline:
        DrawGlyph(painter, Glyphs::wireless(), box, Palette::glyph(), 2);
        DrawGlyph(painter, Glyphs::slash(), box, Palette::danger(), 2);
        break;
    }
}

void DrawRateBadge(QPainter &painter, QSize size, const QString &text, int rank)
{
    const QColor edges[] = {Palette::line(), Palette::accentHi(), Palette::accent(), Palette::accentHi()};
    const QColor fills[] = {Palette::ink3(), Palette::ink3(), Palette::ink4(), Palette::accent()};
    const QRectF pill(0, 0, size.width(), size.height());
    Shapes::Box(painter, pill, size.height() / 2.0, fills[rank], edges[rank]);
    Shapes::StrokeText(painter, text, pill.center(), 11, Palette::text(), 1.8);
}

} // namespace DeviceTiles
