#include "core/CrashDumpHandler.h"

#include "platform/CrashDumpWriter.h"
#include "platform/UserDataFolder.h"

void CrashDumpHandler::Install()
{
    InstallCrashDumpWriter(UserDataFolder() + "/Exception");
}
