#pragma once

// Opens the system's own mouse settings ("control.exe /name Microsoft.Mouse"
// on Windows). Where the system has no such panel it opens nothing, logs why
// and returns false. True: the panel was asked to open.
bool OpenMouseControlPanel();
