#pragma once

#include "Shapes.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

class QPainter;

using Recipe = std::function<void(QPainter &, QSize)>;

// One picture: where it goes, the size it is drawn at, and how.
struct PictureRow
{
    QString folder;  // under Picture/ of the program folder, or under the resources
    QString file;
    QSize size;
    Recipe draw;
};

// Every picture of the program folder, Picture/<folder>/<file>.
QVector<PictureRow> PictureManifest();
// The pictures compiled into the program, by resource path.
QVector<PictureRow> ResourceManifest();

// The rows of each group of folders.
void AddShellPictures(QVector<PictureRow> &rows);     // Dialog, DialogChange, WarningDialog
void AddPagePictures(QVector<PictureRow> &rows);      // Buttoninterface, Sensor, Macro
void AddSettingPictures(QVector<PictureRow> &rows);   // FormSetting, Setting, Light, ScreeInfo

// Families shared by several folders.
namespace Families {
// One row per look, named in the order of `looks`.
void AddLooks(QVector<PictureRow> &rows, const QString &folder, const QStringList &files, QSize size,
              const QVector<Look> &looks, const std::function<void(QPainter &, QSize, Look)> &draw);
void AddCloseButton(QVector<PictureRow> &rows, const QString &folder, const QStringList &files, QSize size = QSize(20, 20));
// ComboboxBack, Menu, MenuClicked and ComboboxTextBack for a combo of `size`.
void AddCombo(QVector<PictureRow> &rows, const QString &folder, QSize size);
void AddToggle(QVector<PictureRow> &rows, const QString &folder);
void AddPlusMinus(QVector<PictureRow> &rows, const QString &folder);
void DrawSectionMarker(QPainter &painter, QSize size);
} // namespace Families
