// The picture reader that maps a picture's pixels from its private PNG
// chunk: the input as a picture file, read through the image plugin as Qt
// reads the program's pictures, and every byte of the pixels read.

#include "FuzzKit.h"

#include "widgets/MappedPictures.h"

#include <QFile>
#include <QImage>

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    PrepareFuzzing();
    // A mapping lives as long as the process, so each input is a file of its
    // own, removed once read (the mapping stays valid without its name).
    static int inputs = 0;
    const QString path = WriteFuzzUserFile(QString("Pictures/%1.png").arg(inputs++), FuzzBytes(data, size));
    {
        QFile file(path);
        const MappedPicturePlugin plugin;
        if (file.open(QIODevice::ReadOnly) && plugin.capabilities(&file, "png").testFlag(QImageIOPlugin::CanRead)) {
            const std::unique_ptr<QImageIOHandler> handler(plugin.create(&file, "png"));
            QImage image;
            if (handler && handler->read(&image)) {
                const uchar* pixels = image.constBits();
                volatile uchar sum = 0;
                for (qsizetype i = 0; i < image.sizeInBytes(); ++i)
                    sum = uchar(sum + pixels[i]);
            }
        }
    }
    QFile::remove(path);
    return 0;
}
