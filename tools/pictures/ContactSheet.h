#pragma once

#include <QImage>
#include <QVector>

struct PictureRow;

// Every picture on one sheet, folder by folder over the page colour, followed
// by the pictures that are laid over one another on screen, put together.
QImage ContactSheet(const QVector<PictureRow> &rows);
