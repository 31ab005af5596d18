#include "Glyphs.h"
#include "Manifest.h"
#include "Palette.h"
#include "Shapes.h"

#include <QPainter>

using namespace Families;

namespace {

const QVector<Look> Unchecked = {Look::Normal, Look::Checked};

// A small round mark carrying a glyph, for the 14 x 14 decorations.
void drawMark(QPainter &painter, QSize size, const Glyph &glyph, const QColor &disc, const QColor &colour)
{
    const QRectF outer(0, 0, size.width(), size.height());
    Shapes::Disc(painter, outer, disc, Qt::transparent, 0);
    DrawGlyph(painter, glyph, outer.adjusted(2.5, 2.5, -2.5, -2.5), colour, 1.8);
}

void drawResultPlate(QPainter &painter, QSize size, bool success)
{
    const QColor edge = success ? Palette::ok() : Palette::danger();
    Shapes::Box(painter, QRectF(0, 0, size.width(), size.height()), 4, Palette::ink3(), edge);
    DrawGlyph(painter, success ? Glyphs::check() : Glyphs::cross(), QRectF(8, size.height() / 2.0 - 6, 12, 12), edge,
              success ? 2 : 1.8);
}

void drawPreviewColour(QPainter &painter, QSize size)
{
    const int cell = 6;
    for (int y = 0; y < size.height(); y += cell)
        for (int x = 0; x < size.width(); x += cell)
            painter.fillRect(QRect(x, y, cell, cell), ((x + y) / cell) % 2 ? Palette::ink4() : Palette::ink3());
    Shapes::Box(painter, QRectF(0, 0, size.width(), size.height()), 0, Qt::transparent, QColor(220, 220, 220), 2);
}

// The hue strip the colour picker samples: hue from left to right, fading to
// white at the top and to black at the foot.
void drawColourBoard(QPainter &painter, QSize size)
{
    QImage board(size, QImage::Format_ARGB32);
    for (int y = 0; y < size.height(); ++y) {
        const qreal f = qreal(y) / (size.height() - 1);
        const qreal saturation = f < 0.3 ? f / 0.3 : 1;
        const qreal value = f > 0.7 ? (1 - f) / 0.3 : 1;
        for (int x = 0; x < size.width(); ++x) {
            const qreal hue = qreal(x) / size.width();
            board.setPixelColor(x, y, QColor::fromHsvF(hue, saturation, value));
        }
    }
    painter.drawImage(0, 0, board);
}

void drawPictureSlot(QPainter &painter, QSize size, Look look)
{
    const QRectF slot(0, 0, size.width(), size.height());
    if (look == Look::Checked)
        Shapes::Box(painter, slot, 2, Palette::ink3(), Palette::accent(), 2);
    else
        Shapes::Box(painter, slot, 2, Palette::ink2(), Palette::line());
    Shapes::GlyphOnly(painter, size, Glyphs::picturePlaceholder(), 34,
                      look == Look::Checked ? Palette::accentHi() : Palette::glyph(), 1.5);
}

void addSettingsPage(QVector<PictureRow> &rows)
{
    const QString folder = "FormSetting";
    rows.append({folder, "PariButton.png", QSize(112, 26), [](QPainter &painter, QSize size) { Shapes::Plate(painter, size, Look::Normal); }});
    rows.append({folder, "Title.png", QSize(16, 10), DrawSectionMarker});
    rows.append({folder, "Mouse.png", QSize(14, 20), [](QPainter &painter, QSize size) {
                     Shapes::GlyphOnly(painter, size, Glyphs::smallMouse(), 20, Palette::light(), 1.3);
                 }});
    AddCombo(rows, folder, QSize(142, 30));
    AddLooks(rows, folder, {"CheckBox.png", "CheckBoxChecked.png"}, QSize(16, 16), Unchecked,
             [](QPainter &painter, QSize size, Look look) { Shapes::SquareIndicator(painter, size, look == Look::Checked); });
    // The receiver light modes are exclusive: radios.
    AddLooks(rows, folder, {"CheckBox2.png", "CheckBoxCheck.png"}, QSize(16, 16), Unchecked,
             [](QPainter &painter, QSize size, Look look) { Shapes::RadioIndicator(painter, size, look == Look::Checked); });
    rows.append({folder, "Picture.png", QSize(14, 14), [](QPainter &painter, QSize size) {
                     drawMark(painter, size, Glyphs::exclamation(), Palette::warn(), Palette::ink0());
                 }});
    AddLooks(rows, folder, {"WaitUpdate.png", "WaitUpdateHover.png"}, QSize(128, 26), {Look::Normal, Look::Hover},
             [](QPainter &painter, QSize size, Look look) {
                 Shapes::Plate(painter, size, look);
                 Shapes::Disc(painter, QRectF(size.width() - 11, 4, 7, 7), Palette::warn(), Qt::transparent, 0);
             });
    rows.append({folder, "Confirm.png", QSize(128, 26), [](QPainter &painter, QSize size) { Shapes::Plate(painter, size, Look::Normal); }});
    rows.append({folder, "Back.png", QSize(638, 318), [](QPainter &painter, QSize size) { Shapes::Panel(painter, size); }});
    AddCloseButton(rows, folder, {"Close.png", "CloseHover.png", "CloseClick.png"});
}

void addPairingDialog(QVector<PictureRow> &rows)
{
    const QString folder = "Setting";
    rows.append({folder, "BackSecondPage.png", QSize(458, 242), [](QPainter &painter, QSize size) { Shapes::Panel(painter, size, 10); }});
    AddCloseButton(rows, folder, {"CloseSecondPage.png", "CloseSecondPageHover.png", "CloseSecondPageClick.png"}, QSize(14, 14));
    rows.append({folder, "Pair.png", QSize(154, 32), Shapes::AccentPlate});
    rows.append({folder, "PairSuccess.png", QSize(154, 32), [](QPainter &painter, QSize size) { drawResultPlate(painter, size, true); }});
    rows.append({folder, "PairFail.png", QSize(154, 32), [](QPainter &painter, QSize size) { drawResultPlate(painter, size, false); }});
    rows.append({folder, "Picture.png", QSize(14, 14), [](QPainter &painter, QSize size) {
                     drawMark(painter, size, Glyphs::info(), Palette::accent(), Palette::text());
                 }});
}

void addScreenDialogs(QVector<PictureRow> &rows)
{
    const QString folder = "ScreeInfo";
    rows.append({folder, "Back.png", QSize(638, 318), [](QPainter &painter, QSize size) { Shapes::Panel(painter, size); }});
    AddCloseButton(rows, folder, {"CloseButton.png", "CloseHover.png", "CloseClick.png"});
    AddPlusMinus(rows, folder);
    AddCombo(rows, folder, QSize(281, 34));
    rows.append({folder, "Slider.png", QSize(6, 18), [](QPainter &painter, QSize size) {
                     Shapes::Box(painter, QRectF(0, 0, size.width(), size.height()), 3, Palette::text(), Qt::transparent, 0);
                 }});
    rows.append({folder, "PreviewColor.png", QSize(60, 60), drawPreviewColour});
    const QColor presets[] = {{255, 0, 0},   {0, 255, 255},  {0, 255, 0},    {255, 0, 255},   {255, 255, 0},
                              {255, 80, 0},  {0, 0, 255},    {227, 0, 127},  {46, 166, 223},  {96, 25, 133},
                              {255, 255, 255}, {139, 178, 36}, {255, 155, 51}, {208, 113, 173}};
    for (int i = 0; i < 14; ++i) {
        const QColor colour = presets[i];
        rows.append({folder, QString("Color%1.png").arg(QChar('A' + i)), QSize(18, 18), [colour](QPainter &painter, QSize size) {
                         Shapes::Box(painter, QRectF(0, 0, size.width(), size.height()), 3, colour, Palette::ink0());
                     }});
    }
    rows.append({folder, "ColorBoard.png", QSize(200, 22), drawColourBoard});
    AddLooks(rows, folder, {"Pic.png", "PicHover.png"}, QSize(74, 100), Unchecked, drawPictureSlot);
    AddLooks(rows, folder, {"Button.png", "ButtonHover.png"}, QSize(96, 26), {Look::Normal, Look::Hover}, Shapes::Plate);
    AddToggle(rows, folder);
}

} // namespace

void AddSettingPictures(QVector<PictureRow> &rows)
{
    addSettingsPage(rows);
    addPairingDialog(rows);
    AddCombo(rows, "Light", QSize(131, 34));
    addScreenDialogs(rows);
}
