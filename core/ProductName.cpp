#include "core/ProductName.h"

#include "platform/ProductName.h"

const QString g_ProductNameStartup = QString::fromLatin1(kProductName);
const QString g_ProductNameMain = QString::fromLatin1(kProductName);
const QString g_ProductName = QString::fromLatin1(kProductName);
