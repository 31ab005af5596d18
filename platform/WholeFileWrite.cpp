#include "platform/WholeFileWrite.h"

#include "platform/PlainFile.h"

#include <QCoreApplication>
#include <QSaveFile>

bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* error)
{
    if (!IsPlainFileOrNothing(path)) {
        if (error)
            *error = QCoreApplication::translate("WholeFileWrite", "not a regular file");
        return false;
    }
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush()
                         && file.error() == QFileDevice::NoError;
    if (written && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    file.cancelWriting();
    return false;
}
