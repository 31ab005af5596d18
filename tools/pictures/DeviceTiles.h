#pragma once

#include <QSize>
#include <QString>

class QPainter;

// The pictures of the device list: one card per device, the connection
// marks and the report-rate badges laid over its corners.
namespace DeviceTiles {
enum class Card { Online, Offline };
void DrawCard(QPainter &painter, QSize size, int model, Card card);
void DrawUnknownCard(QPainter &painter, QSize size);
enum class Link { Cable, Wireless, Offline };
void DrawLink(QPainter &painter, QSize size, Link link);
// `rank` 0..3 for 1K, 2K, 4K and 8K: the edge and fill rise with the rate.
void DrawRateBadge(QPainter &painter, QSize size, const QString &text, int rank);
} // namespace DeviceTiles
