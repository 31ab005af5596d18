#pragma once

#include <QIODevice>

class QFile;

// Opens file (its fileName) only when the path names a regular file, or, for
// writing, names nothing yet (the file is then created). A symbolic link at
// the path, a FIFO, a device or a folder is refused without being opened
// through or waited for. A write without Append and without ReadOnly empties
// the file, as QFile does. False when the file is refused or cannot be
// opened; the QFile stays closed then.
bool OpenPlainFile(QFile& file, QIODevice::OpenMode mode);
