#pragma once

#include <QByteArray>
#include <QString>

// Points ProgramFolder() and UserDataFolder() at two fresh temporary folders,
// created once per test executable and removed when it ends; later calls
// change nothing. Tests then read and write only there.
void UseTemporaryFolders();

// Writes a file below the program folder or the per-user folder, creating the
// folders on the way.
void WriteProgramFile(const QString& relativePath, const QByteArray& content);
void WriteUserFile(const QString& relativePath, const QByteArray& content);

// A file's whole content; empty when it cannot be read.
QByteArray FileBytes(const QString& path);

// Copies a file or folder that the build ships beside the program (for
// example "Picture/WarningDialog" or "Language/0-English.xml") into the test's
// program folder. False when it is not there.
bool CopyShippedFiles(const QString& relativePath);
