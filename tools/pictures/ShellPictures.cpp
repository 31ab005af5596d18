#include "DeviceTiles.h"
#include "Glyphs.h"
#include "Manifest.h"
#include "Palette.h"
#include "Shapes.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

using namespace Families;

namespace {

const QVector<Look> HoverPressed = {Look::Normal, Look::Hover, Look::Pressed};
const QVector<Look> HoverChecked = {Look::Normal, Look::Hover, Look::Checked};

void drawLogo(QPainter &painter, const QRectF &square)
{
    const qreal radius = square.width() / 4;
    Shapes::Box(painter, square, radius,
                Shapes::VerticalFade(square.top(), square.bottom(), Palette::accentHi(), Palette::accent()),
                Qt::transparent, 0);
    DrawGlyph(painter, Glyphs::monogram(), square.adjusted(square.width() * 0.14, square.width() * 0.14,
                                                           -square.width() * 0.14, -square.width() * 0.14),
              Palette::text(), square.width() / 9);
}

void drawShellBackdrop(QPainter &painter, QSize size)
{
    const int topBar = 95;
    const int rail = 134;
    painter.fillRect(QRect(QPoint(0, 0), size), Palette::ink1());
    painter.fillRect(QRect(0, 0, size.width(), topBar), Shapes::VerticalFade(0, topBar, Palette::ink0(), Palette::ink1()));
    painter.fillRect(QRect(0, topBar + 1, rail, size.height() - topBar - 1), Palette::ink0());
    painter.setPen(QPen(Palette::line(), 1));
    painter.drawLine(QPointF(0, topBar + 0.5), QPointF(size.width(), topBar + 0.5));
    painter.drawLine(QPointF(rail + 0.5, topBar + 1), QPointF(rail + 0.5, size.height()));
    drawLogo(painter, QRectF(20, 17, 28, 28));
    Shapes::StrokeText(painter, "QUORVANE", QPointF(106, 31), 12, Palette::light(), 2);
}

void drawDeviceListBackdrop(QPainter &painter, QSize size)
{
    const int strip = 48;
    painter.fillRect(QRect(QPoint(0, 0), size), Palette::ink0());
    QRadialGradient glow(QPointF(512, 380), 420);
    QColor lit = Palette::accent();
    lit.setAlphaF(0.08);
    glow.setColorAt(0, lit);
    glow.setColorAt(1, Qt::transparent);
    painter.fillRect(QRect(QPoint(0, 0), size), glow);
    painter.fillRect(QRect(0, 0, size.width(), strip), Palette::ink1());
    painter.setPen(QPen(Palette::line(), 1));
    painter.drawLine(QPointF(0, strip + 0.5), QPointF(size.width(), strip + 0.5));
    drawLogo(painter, QRectF(20, 10, 28, 28));
    Shapes::StrokeText(painter, "QUORVANE", QPointF(106, 24), 12, Palette::light(), 2);
}

void drawBattery(QPainter &painter, QSize)
{
    // The charge bar fills (1,1)-(38,18) from below this picture: only the
    // outline and the terminal are drawn.
    Shapes::Box(painter, QRectF(0, 0, 40, 20), 2, Qt::transparent, Palette::light());
    Shapes::Box(painter, QRectF(40, 6, 3, 8), 1, Palette::light(), Qt::transparent, 0);
}

void drawChargingBolt(QPainter &painter, QSize)
{
    // White on a dark halo, so it reads on the green and on the red charge.
    QPainterPath bolt;
    bolt.addPolygon(QPolygonF({QPointF(0.5, 5.2), QPointF(9.5, 0.6), QPointF(8.3, 3), QPointF(16.5, 1.8),
                               QPointF(7.5, 6.4), QPointF(8.7, 4.2)}));
    bolt.closeSubpath();
    QColor halo = Palette::ink0();
    halo.setAlphaF(0.7);
    painter.setPen(QPen(halo, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(bolt);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Palette::text());
    painter.drawPath(bolt);
}

void drawRepair(QPainter &painter, QSize size)
{
    DrawGlyph(painter, Glyphs::wrench(), QRectF(4, 6, 24, 24), Palette::light(), 0);
    const QRectF mark(size.width() - 15, 1, 14, 14);
    Shapes::Disc(painter, mark, Palette::warn(), Palette::ink0());
    DrawGlyph(painter, Glyphs::exclamation(), mark.adjusted(2.5, 2.5, -2.5, -2.5), Palette::ink0(), 2);
}

void drawPagingArrow(QPainter &painter, QSize size, const Glyph &chevron, Look look)
{
    const QRectF disc(1, 1, size.width() - 2, size.height() - 2);
    QColor fill = look == Look::Hover ? Palette::ink4() : Palette::ink3();
    fill.setAlphaF(0.9);
    Shapes::Disc(painter, disc, fill, look == Look::Hover ? Palette::accentHi() : Palette::line(), 1.5);
    DrawGlyph(painter, chevron, disc.adjusted(10, 10, -10, -10), look == Look::Hover ? Palette::text() : Palette::glyph(), 2.5);
}

void addDialog(QVector<PictureRow> &rows)
{
    const QString folder = "Dialog";
    rows.append({folder, "Logo.png", QSize(32, 32), [](QPainter &painter, QSize) { drawLogo(painter, QRectF(2, 2, 28, 28)); }});
    rows.append({folder, "BackGround.png", QSize(1020, 700), drawShellBackdrop});
    rows.append({folder, "Battery.png", QSize(43, 20), drawBattery});
    rows.append({folder, "Charg.png", QSize(17, 7), drawChargingBolt});
    const struct {
        QStringList files;
        Glyph glyph;
    } pages[] = {
        {{"Home.png", "HomeHover.png", "HomeChecked.png"}, Glyphs::buttonsPage()},
        {{"Sensor.png", "SensorHover.png", "SensorChecked.png"}, Glyphs::sensorPage()},
        {{"Macro.png", "MacroHover.png", "MacroChecked.png"}, Glyphs::macroPage()},
        {{"Setting.png", "SettingHover.png", "SettingClick.png"}, Glyphs::gear()},
        {{"Light.png", "LightHover.png", "LightChecked.png"}, Glyphs::lightBar()},
    };
    for (const auto &page : pages) {
        const Glyph glyph = page.glyph;
        AddLooks(rows, folder, page.files, QSize(30, 30), HoverChecked,
                 [glyph](QPainter &painter, QSize size, Look look) { Shapes::PageButton(painter, size, glyph, look); });
        // Shown while a recording macro locks the page buttons.
        const QString locked = QString(page.files.first()).replace(".png", "Locked.png");
        rows.append({folder, locked, QSize(30, 30),
                     [glyph](QPainter &painter, QSize size) { Shapes::LockedPageButton(painter, size, glyph); }});
    }
    AddCloseButton(rows, folder, {"Close.png", "CloseHover.png", "CloseClick.png"});
    AddLooks(rows, folder, {"Min.png", "MinHover.png", "MinClick.png"}, QSize(20, 20), HoverPressed,
             [](QPainter &painter, QSize size, Look look) {
                 Shapes::GlyphButton(painter, size, Glyphs::minimise(), 10, 1.5, look);
             });
    AddLooks(rows, folder, {"PageChange.png", "PageChangeHover.png", "PageChangeClick.png"}, QSize(34, 30), HoverPressed,
             [](QPainter &painter, QSize size, Look look) {
                 const QRectF plate(0, 0, size.width(), size.height());
                 if (look != Look::Normal)
                     Shapes::Box(painter, plate, 6, look == Look::Hover ? Palette::ink4() : Palette::accentLo(), Qt::transparent, 0);
                 DrawGlyph(painter, Glyphs::backToList(), QRectF(7, 5, 20, 20),
                           look == Look::Normal ? Palette::glyph() : Palette::text(), 2);
             });
}

void addDialogChange(QVector<PictureRow> &rows)
{
    const QString folder = "DialogChange";
    rows.append({folder, "MainBack.png", QSize(1020, 700), drawDeviceListBackdrop});
    AddCloseButton(rows, folder, {"Close.png", "CloseHover.png", "CloseClick.png"});
    AddLooks(rows, folder, {"Min.png", "MinHover.png", "MinClick.png"}, QSize(20, 20), HoverPressed,
             [](QPainter &painter, QSize size, Look look) {
                 Shapes::GlyphButton(painter, size, Glyphs::minimise(), 10, 1.5, look);
             });
    rows.append({folder, "Repair.png", QSize(36, 33), drawRepair});
    // The "Click" pictures of the paging arrows are shown on hover.
    AddLooks(rows, folder, {"Right.png", "RightClick.png"}, QSize(46, 46), {Look::Normal, Look::Hover},
             [](QPainter &painter, QSize size, Look look) { drawPagingArrow(painter, size, Glyphs::chevronRight(), look); });
    AddLooks(rows, folder, {"Left.png", "LeftClick.png"}, QSize(46, 46), {Look::Normal, Look::Hover},
             [](QPainter &painter, QSize size, Look look) { drawPagingArrow(painter, size, Glyphs::chevronLeft(), look); });
    AddCombo(rows, folder, QSize(142, 26));
    rows.append({folder, "Unknow.png", QSize(284, 360), DeviceTiles::DrawUnknownCard});
    for (int model = 0; model < 7; ++model) {
        rows.append({folder, QString("OnLine%1.png").arg(model), QSize(284, 360), [model](QPainter &painter, QSize size) {
                         DeviceTiles::DrawCard(painter, size, model, DeviceTiles::Card::Online);
                     }});
        rows.append({folder, QString("DisOnlin%1.png").arg(model), QSize(284, 360), [model](QPainter &painter, QSize size) {
                         DeviceTiles::DrawCard(painter, size, model, DeviceTiles::Card::Offline);
                     }});
    }
    const struct {
        QString file;
        DeviceTiles::Link link;
    } links[] = {{"DisOnline.png", DeviceTiles::Link::Offline},
                 {"OnLineUsb.png", DeviceTiles::Link::Cable},
                 {"OnLineWifi.png", DeviceTiles::Link::Wireless}};
    for (const auto &entry : links) {
        const DeviceTiles::Link link = entry.link;
        rows.append({folder, entry.file, QSize(32, 32), [link](QPainter &painter, QSize size) { DeviceTiles::DrawLink(painter, size, link); }});
    }
    const QStringList rates = {"1K", "2K", "4K", "8K"};
    for (int rank = 0; rank < rates.size(); ++rank) {
        const QString text = rates.at(rank);
        rows.append({folder, text + "Hz.png", QSize(42, 26), [text, rank](QPainter &painter, QSize size) {
                         DeviceTiles::DrawRateBadge(painter, size, text, rank);
                     }});
    }
}

void addWarningDialog(QVector<PictureRow> &rows)
{
    const QString folder = "WarningDialog";
    rows.append({folder, "BackGround.png", QSize(300, 140), [](QPainter &painter, QSize size) { Shapes::Panel(painter, size); }});
    AddCloseButton(rows, folder, {"Close.png", "CloseHover.png", "CloseClick.png"});
    // Two spellings of one button: the same picture on a case-blind file system.
    for (const QString &name : {QString("Confirm"), QString("ConFirm")})
        AddLooks(rows, folder, {name + ".png", name + "Click.png"}, QSize(90, 24), {Look::Normal, Look::Pressed}, Shapes::Plate);
    AddLooks(rows, folder, {"CheckBox.png", "CheckBoxCheck.png"}, QSize(16, 16), {Look::Normal, Look::Checked},
             [](QPainter &painter, QSize size, Look look) { Shapes::SquareIndicator(painter, size, look == Look::Checked); });
    AddLooks(rows, folder, {"ok_nr.png", "ok_enter.png"}, QSize(120, 24), {Look::Normal, Look::Hover}, Shapes::Plate);
}

} // namespace

void AddShellPictures(QVector<PictureRow> &rows)
{
    addDialog(rows);
    addDialogChange(rows);
    addWarningDialog(rows);
}
