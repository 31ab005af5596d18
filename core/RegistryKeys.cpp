#include "core/RegistryKeys.h"

#include "platform/ProductName.h"

QString MouseDriveTestKey()
{
    const QString product = QString::fromLatin1(kProductName);
    return "HKEY_CURRENT_USER\\Software\\" + product + "\\" + product + "\\Mouse Drive Test";
}

QString MouseVersionValueName(const QString& cidText, const QString& midText)
{
    return "MouseVer" + cidText + midText;
}
