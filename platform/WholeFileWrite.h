#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at path with bytes, whole or not at all: the bytes go to
// a temporary file beside it, which is flushed and only then renamed over the
// old file. Qt 5's QSaveFile::commit() does not notice a write that fails
// while its buffer is emptied (a full disk with a small file), and would put
// an empty or cut file in place of the old one; the explicit flush catches
// that. On any failure the old file stays as it was, the temporary file is
// removed, and error (when given) says what failed. A path that names
// anything but a regular file (a symbolic link, a FIFO, a folder) is
// refused: the bytes never go through a link to another file.
bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* error = nullptr);
