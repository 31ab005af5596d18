#pragma once

#include <QByteArray>
#include <QImage>

struct PictureRow;

// Draws one manifest row on a transparent canvas of its size.
QImage RenderPicture(const PictureRow &row);
// The PNG bytes of an image, with fixed settings so a run repeats itself byte for byte.
QByteArray EncodePng(const QImage &image);
