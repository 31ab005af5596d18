#pragma once

#include <QColor>
#include <QPainterPath>
#include <QRectF>
#include <QSizeF>

class QPainter;

// A glyph is a drawing on its own design grid (24 x 24 unless stated): lines
// that are stroked with a pen whose width is given in pixels at draw time, and
// shapes that are filled. Drawing maps the grid onto a box of the picture, so
// one glyph serves every button size.
struct Glyph
{
    QPainterPath stroked;
    QPainterPath filled;
    QSizeF grid = QSizeF(24, 24);
};

void DrawGlyph(QPainter &painter, const Glyph &glyph, const QRectF &box, const QColor &colour, qreal strokePixels);

namespace Glyphs {
Glyph close();
Glyph minimise();
Glyph backToList();
Glyph buttonsPage();
Glyph sensorPage();
Glyph macroPage();
Glyph gear();
Glyph lightBar();
Glyph wrench();
Glyph chevronLeft();
Glyph chevronRight();
Glyph chevronUp();
Glyph chevronDown();
Glyph plus();
Glyph minus();
Glyph keyDown();
Glyph keyUp();
Glyph clock();
Glyph smallMouse();
Glyph exclamation();
Glyph info();
Glyph usb();
Glyph wireless();
Glyph slash();
Glyph layers();
Glyph check();
Glyph cross();
Glyph question();
Glyph picturePlaceholder();
Glyph caretUp();
Glyph monogram();
// Stroke letters on a 5 x 7 grid for the few texts a picture carries.
Glyph letter(QChar character);
} // namespace Glyphs
