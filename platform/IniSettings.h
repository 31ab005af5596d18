#pragma once

#include <QSettings>
#include <QString>

#include <functional>
#include <memory>

// How a settings file is used: a file that is only read never takes the
// lock files QSettings makes beside it for a write.
enum class IniUse { ReadAndWrite, ReadOnly };

// A settings object in INI format over path, or none when anything but a
// regular file (or a link to one) stands there, or, for a file that is
// written, anything but a regular file at the lock files QSettings takes
// beside it for a write: a FIFO would block the read or the lock in its open
// for ever, a folder at a lock makes QSettings retry for ever, and neither is
// a settings file of ours. That is logged (once for as long as it stays so)
// and the entries are left alone; the caller reads its defaults and refuses
// changes.
std::unique_ptr<QSettings> OpenIniSettings(const QString& path, IniUse use = IniUse::ReadAndWrite);

// Makes change on settings and writes the file before it returns. False when
// the file did not take it: the old file stays. QSettings waits for its lock
// file without a bound (held by a live process, or stale but not removable),
// so the lock is first tried with a bound; when it stays taken, change is not
// made at all (and logged), so nothing is left for QSettings to write later.
bool WriteIniChange(QSettings& settings, const std::function<void(QSettings&)>& change);
