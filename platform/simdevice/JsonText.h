#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QString>

// The JSON of the library's own files (scenarios, state files), which people
// write and edit by hand.
namespace simdevice {

// The document of text; a null document and a message when it is not JSON,
// or when one object names a key twice: which value would count is a guess,
// and Qt's parser loses memory on some such documents.
QJsonDocument ReadJsonText(const QByteArray& text, QString* error);

}
