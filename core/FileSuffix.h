#pragma once

#include <QString>

// path itself when it already ends in "." and suffix (in any case), else path
// with "." and suffix: a file the user names is saved where the matching open
// dialog's filter shows it.
QString WithFileSuffix(const QString& path, const QString& suffix);
