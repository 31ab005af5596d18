#pragma once

#include <QSettings>
#include <QString>

#include <memory>

// A settings object in INI format over path, or none when anything but a
// regular file (or a link to one) stands there: a FIFO would block the read
// in its open for ever, and a folder or device is no settings file of ours.
// That is logged and the entry is left alone; the caller reads its defaults
// and refuses changes.
std::unique_ptr<QSettings> OpenIniSettings(const QString& path);
