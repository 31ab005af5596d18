#pragma once

#include <QIODevice>

class QFile;
class QString;

// What a symbolic link at the path is taken for: refused, where the entry is
// ours to replace or lock (a file replaced whole, a lock file, a data file the
// program writes), or followed to the regular file it names, where a user or
// a package may keep the file elsewhere (the files of the program folder, a
// settings store).
enum class LinkAtPath { Refused, Followed };

// Opens file (its fileName) only when the path names a regular file, or, for
// writing, names nothing yet (the file is then created). A FIFO, a device or
// a folder is refused without being opened through or waited for, and so is
// a symbolic link unless links are followed (then a link to anything but a
// regular file is refused). A write without Append and without ReadOnly
// empties the file, as QFile does. False when the file is refused or cannot
// be opened; the QFile stays closed then.
bool OpenPlainFile(QFile& file, QIODevice::OpenMode mode, LinkAtPath link = LinkAtPath::Refused);

// True when path names a regular file (itself, or through a link when links
// are followed) or nothing at all (a dangling followed link names nothing):
// the only entries a data file may be replaced at or a lock taken at. A FIFO (whose open would block), a folder,
// a device or a refused link is not. For what cannot be opened through
// OpenPlainFile, such as a file replaced whole or a lock file.
bool IsPlainFileOrNothing(const QString& path, LinkAtPath link = LinkAtPath::Refused);
