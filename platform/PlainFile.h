#pragma once

#include <QIODevice>

class QFile;
class QString;

// Opens file (its fileName) only when the path names a regular file, or, for
// writing, names nothing yet (the file is then created). A symbolic link at
// the path, a FIFO, a device or a folder is refused without being opened
// through or waited for. A write without Append and without ReadOnly empties
// the file, as QFile does. False when the file is refused or cannot be
// opened; the QFile stays closed then.
bool OpenPlainFile(QFile& file, QIODevice::OpenMode mode);

// True when path names a regular file itself (not a symbolic link to one) or
// nothing at all: the only entries a data file may be replaced at. A FIFO
// (whose open would block), a folder, a device or a link is not. For what
// cannot be opened through OpenPlainFile, such as a file replaced whole or a
// lock file.
bool IsPlainFileOrNothing(const QString& path);
