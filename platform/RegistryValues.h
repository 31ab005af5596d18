#pragma once

#include <QString>
#include <QVariant>

// Values the program keeps in the per-user registry, addressed as on Windows:
// a key path ("HKEY_CURRENT_USER\\Software\\Quorvane\\Quorvane\\Mouse Drive Test")
// and a value name. On Windows they live in the registry itself; elsewhere in
// one INI file, RegistryFilePath(), with the key path as nested groups.
// Every write reaches storage before the call returns; one that storage
// cannot take (a full or read-only folder, a lock that stays held) leaves it
// as it was and is logged. Anything but a regular file (or a link to one) at
// RegistryFilePath(), or anything but a regular file at its lock's, such as a
// FIFO or a folder, is left alone: values read as their defaults, writes are
// dropped, and that is logged once (OpenIniSettings).
// Safe from any thread.

// The value, or defaultValue when it is missing or cannot be read.
QVariant RegistryValue(const QString& keyPath, const QString& name,
                       const QVariant& defaultValue = QVariant());
void SetRegistryValue(const QString& keyPath, const QString& name, const QVariant& value);
void RemoveRegistryValue(const QString& keyPath, const QString& name);

// Where the values are stored away from Windows: $XDG_CONFIG_HOME (else
// ~/.config) + "/Quorvane/Registry.ini". Empty on Windows.
QString RegistryFilePath();
