// Replays inputs through a fuzz target without libFuzzer: every argument is a
// file or a folder whose files (not hidden ones) are taken in name order.
// CTest runs it over a target's seed corpus and the inputs that once crashed
// it, so each of them is a deterministic regression test: a sanitizer report
// or a crash fails the run and the last "replaying" line names the input.

#include "FuzzKit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

QStringList InputFiles(const QString& argument)
{
    const QFileInfo info(argument);
    if (info.isFile())
        return {argument};
    QStringList files;
    if (info.isDir()) {
        const QDir folder(argument);
        for (const QString& name : folder.entryList(QDir::Files, QDir::Name))
            files.append(folder.filePath(name));
    }
    return files;
}

} // namespace

int main(int argc, char* argv[])
{
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const QStringList files = InputFiles(QString::fromLocal8Bit(argv[i]));
        if (files.isEmpty()) {
            std::fprintf(stderr, "no input in %s\n", argv[i]);
            return 2;
        }
        for (const QString& path : files) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
                return 2;
            }
            const QByteArray input = file.readAll();
            std::fprintf(stderr, "replaying %s (%d bytes)\n", qPrintable(path), int(input.size()));
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.constData()), std::size_t(input.size()));
            ++replayed;
        }
    }
    std::fprintf(stderr, "%d inputs replayed\n", replayed);
    return replayed > 0 ? 0 : 1;
}
