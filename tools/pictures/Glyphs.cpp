#include "Glyphs.h"

#include <QPainter>
#include <QPolygonF>
#include <QTransform>
#include <QtMath>

void DrawGlyph(QPainter &painter, const Glyph &glyph, const QRectF &box, const QColor &colour, qreal strokePixels)
{
    const qreal scale = qMin(box.width() / glyph.grid.width(), box.height() / glyph.grid.height());
    const QPointF origin = box.center() - QPointF(glyph.grid.width(), glyph.grid.height()) * scale / 2;
    QTransform toBox;
    toBox.translate(origin.x(), origin.y());
    toBox.scale(scale, scale);
    painter.save();
    if (!glyph.stroked.isEmpty()) {
        QPen pen(colour, strokePixels, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(toBox.map(glyph.stroked));
    }
    if (!glyph.filled.isEmpty()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawPath(toBox.map(glyph.filled));
    }
    painter.restore();
}

namespace {

QPainterPath polyline(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QVector<QPointF>(points)));
    return path;
}

QPainterPath circle(QPointF centre, qreal radius)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

// An arc of a circle, angles in degrees counter-clockwise from three o'clock.
QPainterPath arc(QPointF centre, qreal radius, qreal startDegrees, qreal sweepDegrees)
{
    const QRectF bounds(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    QPainterPath path;
    path.arcMoveTo(bounds, startDegrees);
    path.arcTo(bounds, startDegrees, sweepDegrees);
    return path;
}

QPainterPath rotatedRect(QPointF pivot, const QRectF &rect, qreal degrees)
{
    QPainterPath path;
    path.addRect(rect);
    QTransform turn;
    turn.translate(pivot.x(), pivot.y());
    turn.rotate(degrees);
    return turn.map(path);
}

Glyph strokes(QPainterPath path, QSizeF grid = QSizeF(24, 24))
{
    Glyph glyph;
    glyph.stroked = path;
    glyph.grid = grid;
    return glyph;
}

} // namespace

namespace Glyphs {

Glyph close()
{
    QPainterPath path = polyline({{3, 3}, {21, 21}});
    path.addPath(polyline({{21, 3}, {3, 21}}));
    return strokes(path);
}

Glyph minimise()
{
    return strokes(polyline({{3, 12}, {21, 12}}));
}

Glyph backToList()
{
    // An arrow pointing left, back to the grid of devices drawn as four tiles.
    Glyph glyph;
    glyph.stroked = polyline({{1.5, 12}, {13, 12}});
    glyph.stroked.addPath(polyline({{7, 6}, {1.5, 12}, {7, 18}}));
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 2; ++column)
            glyph.filled.addRoundedRect(QRectF(15.5 + column * 4.5, 7.5 + row * 4.5, 3.5, 3.5), 0.8, 0.8);
    return glyph;
}

Glyph buttonsPage()
{
    // A mouse seen from above with its left button lit.
    Glyph glyph;
    QPainterPath body;
    body.addRoundedRect(QRectF(5, 1.5, 14, 21), 7, 7);
    glyph.stroked = body;
    glyph.stroked.addPath(polyline({{12, 1.5}, {12, 10}}));
    glyph.stroked.addPath(polyline({{5, 10}, {19, 10}}));
    QPainterPath leftButton;
    leftButton.addRect(QRectF(5, 1.5, 7, 8.5));
    glyph.filled = body.intersected(leftButton);
    return glyph;
}

Glyph sensorPage()
{
    Glyph glyph;
    glyph.stroked = circle({12, 12}, 7);
    glyph.stroked.addPath(polyline({{12, 1}, {12, 6}}));
    glyph.stroked.addPath(polyline({{12, 18}, {12, 23}}));
    glyph.stroked.addPath(polyline({{1, 12}, {6, 12}}));
    glyph.stroked.addPath(polyline({{18, 12}, {23, 12}}));
    glyph.filled = circle({12, 12}, 2.4);
    return glyph;
}

Glyph macroPage()
{
    // A list of recorded events and a play mark: a sequence played back.
    Glyph glyph;
    glyph.stroked = polyline({{2, 5}, {13, 5}});
    glyph.stroked.addPath(polyline({{2, 12}, {11, 12}}));
    glyph.stroked.addPath(polyline({{2, 19}, {9, 19}}));
    glyph.filled.addPolygon(QPolygonF({QPointF(14.5, 9.5), QPointF(22.5, 15), QPointF(14.5, 20.5)}));
    glyph.filled.closeSubpath();
    return glyph;
}

Glyph gear()
{
    Glyph glyph;
    QPolygonF outline;
    const int teeth = 8;
    for (int tooth = 0; tooth < teeth; ++tooth) {
        const qreal centre = tooth * 360.0 / teeth;
        for (const auto &corner : {std::make_pair(-22.5, 8.6), std::make_pair(-12.0, 8.6), std::make_pair(-8.0, 11.5),
                                   std::make_pair(8.0, 11.5), std::make_pair(12.0, 8.6)}) {
            const qreal angle = qDegreesToRadians(centre + corner.first);
            outline << QPointF(12 + corner.second * qCos(angle), 12 + corner.second * qSin(angle));
        }
    }
    glyph.filled.addPolygon(outline);
    glyph.filled.closeSubpath();
    glyph.filled = glyph.filled.subtracted(circle({12, 12}, 3.6));
    return glyph;
}

Glyph lightBar()
{
    Glyph glyph;
    glyph.stroked.addRoundedRect(QRectF(3, 13, 18, 7), 3.5, 3.5);
    glyph.stroked.addPath(polyline({{12, 3}, {12, 8}}));
    glyph.stroked.addPath(polyline({{4.5, 5}, {7.5, 9}}));
    glyph.stroked.addPath(polyline({{19.5, 5}, {16.5, 9}}));
    return glyph;
}

Glyph wrench()
{
    Glyph glyph;
    const QPointF head(15.5, 8.5);
    QPainterPath shape = circle(head, 6.5);
    shape = shape.united(rotatedRect(head, QRectF(-2.4, 0, 4.8, 17), 45));
    shape = shape.subtracted(rotatedRect(head, QRectF(-2.2, -9, 4.4, 9), 45));
    shape = shape.subtracted(circle(head + QPointF(-10.2, 10.2), 1.3));
    glyph.filled = shape;
    return glyph;
}

Glyph chevronLeft() { return strokes(polyline({{15, 4}, {8, 12}, {15, 20}})); }
Glyph chevronRight() { return strokes(polyline({{9, 4}, {16, 12}, {9, 20}})); }
Glyph chevronUp() { return strokes(polyline({{4, 15.5}, {12, 8}, {20, 15.5}})); }
Glyph chevronDown() { return strokes(polyline({{4, 8.5}, {12, 16}, {20, 8.5}})); }

Glyph plus()
{
    QPainterPath path = polyline({{3, 12}, {21, 12}});
    path.addPath(polyline({{12, 3}, {12, 21}}));
    return strokes(path);
}

Glyph minus() { return strokes(polyline({{3, 12}, {21, 12}})); }

Glyph keyDown()
{
    QPainterPath path = polyline({{12, 2.5}, {12, 15}});
    path.addPath(polyline({{6.5, 9.5}, {12, 15}, {17.5, 9.5}}));
    path.addPath(polyline({{3, 21}, {21, 21}}));
    return strokes(path);
}

Glyph keyUp()
{
    QPainterPath path = polyline({{12, 16}, {12, 3}});
    path.addPath(polyline({{6.5, 8.5}, {12, 3}, {17.5, 8.5}}));
    path.addPath(polyline({{3, 21}, {21, 21}}));
    return strokes(path);
}

Glyph clock()
{
    QPainterPath path = circle({12, 13.5}, 8.5);
    path.addPath(polyline({{12, 13.5}, {12, 8.5}}));
    path.addPath(polyline({{12, 13.5}, {15.5, 15.5}}));
    path.addPath(polyline({{9.5, 1.8}, {14.5, 1.8}}));
    return strokes(path);
}

Glyph smallMouse()
{
    Glyph glyph;
    glyph.grid = QSizeF(14, 20);
    glyph.stroked.addRoundedRect(QRectF(1.5, 1.5, 11, 17), 5.5, 5.5);
    glyph.stroked.addPath(polyline({{7, 1.5}, {7, 7.5}}));
    glyph.stroked.addPath(polyline({{1.5, 8}, {12.5, 8}}));
    return glyph;
}

Glyph exclamation()
{
    Glyph glyph;
    glyph.stroked = polyline({{12, 5}, {12, 14}});
    glyph.filled = circle({12, 19}, 2);
    return glyph;
}

Glyph info()
{
    Glyph glyph;
    glyph.stroked = polyline({{12, 10.5}, {12, 19}});
    glyph.filled = circle({12, 5.5}, 2);
    return glyph;
}

Glyph usb()
{
    Glyph glyph;
    glyph.stroked = polyline({{12, 5}, {12, 20}});
    glyph.stroked.addPath(polyline({{12, 16}, {6, 12.5}, {6, 9.5}}));
    glyph.stroked.addPath(polyline({{12, 13.5}, {18, 10}, {18, 8}}));
    glyph.filled.addPolygon(QPolygonF({QPointF(8.8, 6.5), QPointF(12, 1), QPointF(15.2, 6.5)}));
    glyph.filled.closeSubpath();
    glyph.filled.addPath(circle({6, 8}, 2));
    glyph.filled.addRect(QRectF(16, 4.5, 4, 4));
    glyph.filled.addPath(circle({12, 20.5}, 2.6));
    return glyph;
}

Glyph wireless()
{
    Glyph glyph;
    glyph.stroked = arc({12, 19}, 6.5, 45, 90);
    glyph.stroked.addPath(arc({12, 19}, 12.5, 45, 90));
    glyph.filled = circle({12, 19}, 2.4);
    return glyph;
}

Glyph slash() { return strokes(polyline({{4, 3}, {20, 21}})); }

Glyph layers()
{
    // Stacked profile sheets, on the 20 x 14 grid of their label.
    QPainterPath path = polyline({{10, 1}, {18.5, 4.5}, {10, 8}, {1.5, 4.5}, {10, 1}});
    path.addPath(polyline({{1.5, 8}, {10, 11.5}, {18.5, 8}}));
    return strokes(path, QSizeF(20, 14));
}

Glyph check() { return strokes(polyline({{4.5, 12.5}, {9.5, 17.5}, {19.5, 6.5}})); }
Glyph cross() { return close(); }

Glyph question()
{
    Glyph glyph;
    QPainterPath path = arc({12, 8}, 5, 160, -230);
    const qreal end = qDegreesToRadians(160.0 - 230.0);
    const QPointF from(12 + 5 * qCos(end), 8 - 5 * qSin(end));
    path.lineTo(12, from.y() + 2.5);
    path.lineTo(12, 15);
    glyph.stroked = path;
    glyph.filled = circle({12, 20}, 1.8);
    return glyph;
}

Glyph picturePlaceholder()
{
    Glyph glyph;
    glyph.stroked.addRoundedRect(QRectF(2, 4, 20, 16), 2, 2);
    glyph.filled.addPolygon(QPolygonF({QPointF(4, 18), QPointF(10, 11), QPointF(14, 15), QPointF(16, 13), QPointF(20, 18)}));
    glyph.filled.closeSubpath();
    glyph.filled.addPath(circle({16.5, 8.5}, 2));
    return glyph;
}

Glyph caretUp()
{
    Glyph glyph;
    glyph.filled.addPolygon(QPolygonF({QPointF(12, 3), QPointF(21, 13), QPointF(3, 13)}));
    glyph.filled.closeSubpath();
    return glyph;
}

Glyph monogram()
{
    QPainterPath path = circle({11.5, 11}, 7);
    path.addPath(polyline({{14, 14}, {19.5, 20}}));
    return strokes(path);
}

Glyph letter(QChar character)
{
    QPainterPath path;
    switch (character.toLatin1()) {
    case '1':
        path = polyline({{1, 1.6}, {3, 0}, {3, 7}});
        break;
    case '2':
        path = arc({2.5, 2.1}, 2.1, 160, -200);
        path.lineTo(0.3, 7);
        path.lineTo(4.8, 7);
        break;
    case '4':
        path = polyline({{3.6, 7}, {3.6, 0}, {0.2, 5}, {4.9, 5}});
        break;
    case '8':
        path.addEllipse(QPointF(2.5, 1.8), 1.8, 1.8);
        path.addEllipse(QPointF(2.5, 5.1), 2.2, 1.9);
        break;
    case 'A':
        path = polyline({{0.2, 7}, {2.5, 0}, {4.8, 7}});
        path.addPath(polyline({{1.1, 4.7}, {3.9, 4.7}}));
        break;
    case 'E':
        path = polyline({{4.6, 0}, {0.4, 0}, {0.4, 7}, {4.6, 7}});
        path.addPath(polyline({{0.4, 3.5}, {3.8, 3.5}}));
        break;
    case 'N':
        path = polyline({{0.4, 7}, {0.4, 0}, {4.6, 7}, {4.6, 0}});
        break;
    case 'O':
        path.addEllipse(QPointF(2.5, 3.5), 2.3, 3.5);
        break;
    case 'Q':
        path.addEllipse(QPointF(2.5, 3.5), 2.3, 3.5);
        path.addPath(polyline({{3.2, 5.2}, {5, 7.3}}));
        break;
    case 'R':
        path = polyline({{0.4, 7}, {0.4, 0}, {2.8, 0}});
        path.arcTo(QRectF(1, 0, 3.6, 3.8), 90, -180);
        path.lineTo(0.4, 3.8);
        path.addPath(polyline({{2.6, 3.8}, {4.7, 7}}));
        break;
    case 'U':
        path.moveTo(0.3, 0);
        path.lineTo(0.3, 4.8);
        path.arcTo(QRectF(0.3, 2.6, 4.4, 4.4), 180, 180);
        path.lineTo(4.7, 0);
        break;
    case 'V':
        path = polyline({{0.2, 0}, {2.5, 7}, {4.8, 0}});
        break;
    case 'K':
        path = polyline({{0.4, 0}, {0.4, 7}});
        path.addPath(polyline({{4.6, 0}, {0.4, 4.4}}));
        path.addPath(polyline({{1.9, 2.9}, {4.6, 7}}));
        break;
    default:
        break;
    }
    return strokes(path, QSizeF(5, 7));
}

} // namespace Glyphs
