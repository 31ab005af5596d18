#include "core/FileSuffix.h"

QString WithFileSuffix(const QString& path, const QString& suffix)
{
    const QString ending = QLatin1Char('.') + suffix;
    return path.endsWith(ending, Qt::CaseInsensitive) ? path : path + ending;
}
