#pragma once

#include <QColor>
#include <QPainterPath>
#include <QRectF>

class QPainter;

// The mouse models of the device pictures, by model number (MID - 3).
struct MouseModel
{
    bool ergonomic = false;
    qreal length = 1;      // 1 = 310 px from the front to the rear
    qreal halfWidth = 95;  // at the widest point
    QColor accent;         // the light strip along the flanks
    bool honeycomb = false;
    bool sixthButton = false;
};

constexpr int MouseModelCount = 7;
MouseModel MouseModelFor(int number);

enum class MouseFinish {
    Lit,      // in colour, light strip on
    Unlit,    // in colour, light strip off
    Outline,  // dashed outline only (a device nobody identified)
};

// The top view of a mouse on the 432 x 356 grid of the button page. The
// buttons lie under the badge spots of that page: left (159,79), right
// (269,79), wheel (217,79), side buttons (114,129) and (114,184), sixth
// button (217,164).
void DrawMouse(QPainter &painter, const MouseModel &model, MouseFinish finish);
QRectF MouseBounds(const MouseModel &model);
