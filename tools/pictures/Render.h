#pragma once

#include <QByteArray>
#include <QImage>

struct PictureRow;

// Draws one manifest row on a transparent canvas of its size.
QImage RenderPicture(const PictureRow &row);
// The PNG bytes of an image, with fixed settings so a run repeats itself byte for byte.
QByteArray EncodePng(const QImage &image);
// The same with the pixels as the program paints them in a chunk of their own
// (widgets/PixelChunk.h), for the program's pictures.
QByteArray EncodePicture(const QImage &image);
