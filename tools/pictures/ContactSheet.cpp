#include "ContactSheet.h"

#include "Manifest.h"
#include "Palette.h"
#include "Render.h"

#include <QHash>
#include <QPainter>

namespace {

constexpr int SheetWidth = 1800;
constexpr int Gap = 12;

class Sheet
{
public:
    explicit Sheet(int height) : m_image(SheetWidth, height, QImage::Format_ARGB32_Premultiplied)
    {
        m_image.fill(QColor(0x0A, 0x0A, 0x0C));
        m_painter.begin(&m_image);
        m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
    }

    void newSection(const QColor &mark)
    {
        nextLine();
        m_painter.fillRect(QRect(0, m_y, SheetWidth, 3), mark);
        m_y += 3 + Gap;
    }

    // Places a picture over the page colour, halved when it is large.
    void place(const QImage &picture)
    {
        const qreal scale = picture.width() > 500 ? 0.5 : 1;
        const QSize shown = picture.size() * scale;
        if (m_x + shown.width() + Gap > SheetWidth)
            nextLine();
        const QRect cell(m_x, m_y, shown.width(), shown.height());
        m_painter.fillRect(cell.adjusted(-4, -4, 4, 4), Palette::ink1());
        m_painter.drawImage(cell, picture);
        m_x += shown.width() + Gap + 8;
        m_lineHeight = qMax(m_lineHeight, shown.height() + 8);
    }

    QImage finish()
    {
        nextLine();
        m_painter.end();
        return m_image.copy(0, 0, SheetWidth, m_y).convertToFormat(QImage::Format_ARGB32);
    }

private:
    void nextLine()
    {
        if (m_lineHeight > 0)
            m_y += m_lineHeight + Gap;
        m_x = Gap;
        m_lineHeight = 0;
    }

    QImage m_image;
    QPainter m_painter;
    int m_x = Gap;
    int m_y = Gap;
    int m_lineHeight = 0;
};

QImage layered(const QImage &base, const QVector<QPair<QPoint, QImage>> &layers)
{
    QImage result = base.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&result);
    for (const auto &layer : layers)
        painter.drawImage(layer.first, layer.second);
    return result;
}

QImage filled(QSize size, const QColor &colour, int radius = 0)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(QPointF(0, 0), size), radius, radius);
    return image;
}

} // namespace

QImage ContactSheet(const QVector<PictureRow> &rows)
{
    QHash<QString, QImage> byName;
    Sheet sheet(9000);
    QString folder;
    for (const PictureRow &row : rows) {
        if (row.folder != folder) {
            folder = row.folder;
            sheet.newSection(Palette::accent());
        }
        const QImage picture = RenderPicture(row);
        byName.insert(row.folder + "/" + row.file, picture);
        sheet.place(picture);
    }

    // On screen these lie over one another.
    sheet.newSection(Palette::warn());
    auto at = [&](const QString &name) { return byName.value(name); };
    const QPoint badges[] = {{159, 79}, {269, 79}, {217, 79}, {114, 129}, {114, 184}, {217, 164}};
    for (int model = 0; model < 3; ++model) {
        QVector<QPair<QPoint, QImage>> layers;
        int index = 0;
        for (const QPoint &centre : badges) {
            const QString state[] = {"NumberOrigin", "NumberHover", "NumberClick"};
            layers.append({centre - QPoint(19, 19), at("Buttoninterface/" + state[index++ % 3] + ".png")});
        }
        sheet.place(layered(at(QString("Buttoninterface/mouse%1.png").arg(model)), layers));
    }
    sheet.place(layered(at("DialogChange/OnLine1.png"),
                        {{QPoint(7, 10), at("DialogChange/8KHz.png")}, {QPoint(225, 20), at("DialogChange/OnLineWifi.png")}}));
    sheet.place(layered(at("DialogChange/DisOnlin1.png"),
                        {{QPoint(7, 10), at("DialogChange/1KHz.png")}, {QPoint(225, 20), at("DialogChange/DisOnline.png")}}));
    sheet.place(layered(at("DialogChange/OnLine4.png"),
                        {{QPoint(7, 10), at("DialogChange/2KHz.png")}, {QPoint(225, 20), at("DialogChange/OnLineUsb.png")}}));
    for (const QColor &charge : {QColor(0, 255, 153), QColor(152, 43, 34)})
        sheet.place(layered(filled(QSize(43, 20), Qt::transparent),
                            {{QPoint(1, 1), filled(QSize(24, 18), charge)},
                             {QPoint(0, 0), at("Dialog/Battery.png")},
                             {QPoint(11, 7), at("Dialog/Charg.png")}}));
    sheet.place(layered(at("Sensor/MinA.png"), {{QPoint(2, 42), filled(QSize(50, 12), QColor(255, 0, 0), 3)},
                                                {QPoint(2, 42), at("Sensor/MinB.png")}}));
    sheet.place(layered(at("Sensor/MaxA.png"), {{QPoint(1, 55), filled(QSize(66, 14), QColor(0, 200, 255), 3)},
                                                {QPoint(1, 55), at("Sensor/MaxB.png")}}));
    const QImage combo = at("Macro/ComboboxBack.png");
    sheet.place(layered(combo, {{QPoint(combo.width() - 22, 1), filled(QSize(21, combo.height() - 2), Palette::ink4(), 5)},
                                {QPoint(combo.width() - 18, (combo.height() - 6) / 2), at("Macro/Menu.png")}}));
    return sheet.finish();
}
