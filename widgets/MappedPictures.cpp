#include "widgets/MappedPictures.h"

#include "platform/PlainFile.h"
#include "widgets/PixelChunk.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QMutex>
#include <QMutexLocker>
#include <QVariant>

#include <memory>
#include <optional>

namespace {

using PixelChunk::Layout;

// A picture file that Qt may read through this plugin: a real file (not a
// resource) with a chunk that fits it.
struct MappableFile
{
    QString path;
    Layout layout;
};

std::optional<MappableFile> Mappable(QIODevice* device, const QByteArray& format)
{
    auto* file = qobject_cast<QFile*>(device);
    if (!file || format.toLower() != "png" || file->fileName().startsWith(QLatin1Char(':')))
        return std::nullopt;
    const std::optional<Layout> layout = PixelChunk::Find(device->peek(PixelChunk::kPixelsOffset), file->size());
    if (!layout)
        return std::nullopt;
    return MappableFile{QFileInfo(*file).absoluteFilePath(), *layout};
}

// The files mapped so far, each once per version (size and modification
// time), for the life of the process: images made from a mapping may live as
// long as it.
class MappedFiles
{
public:
    static MappedFiles& Instance()
    {
        static MappedFiles files;
        return files;
    }

    const uchar* Pixels(const MappableFile& picture)
    {
        const QFileInfo info(picture.path);
        const QString key = picture.path + QLatin1Char('\n') + QString::number(info.size()) + QLatin1Char('\n')
                            + QString::number(info.lastModified().toMSecsSinceEpoch());
        QMutexLocker lock(&m_Mutex);
        if (const uchar* pixels = m_Pixels.value(key))
            return pixels;
        // Opened again by its path, which may name a FIFO by now.
        auto file = std::make_unique<QFile>(picture.path);
        if (!OpenPlainFile(*file, QIODevice::ReadOnly, LinkAtPath::Followed) || file->size() != info.size())
            return nullptr;
        const uchar* pixels = file->map(picture.layout.offset, picture.layout.size);
        if (!pixels)
            return nullptr;
        file->close(); // the mapping outlives the descriptor, not the object
        m_Files.push_back(std::move(file));
        m_Pixels.insert(key, pixels);
        return pixels;
    }

private:
    QMutex m_Mutex;
    std::vector<std::unique_ptr<QFile>> m_Files;
    QHash<QString, const uchar*> m_Pixels;
};

class MappedPictureHandler : public QImageIOHandler
{
public:
    explicit MappedPictureHandler(MappableFile picture)
        : m_Picture(std::move(picture))
    {
    }

    bool canRead() const override { return !m_Done; }

    bool read(QImage* image) override
    {
        if (m_Done)
            return false;
        m_Done = true;
        const uchar* pixels = MappedFiles::Instance().Pixels(m_Picture);
        if (!pixels)
            return false;
        const Layout& layout = m_Picture.layout;
        *image = QImage(pixels, layout.width, layout.height, layout.bytesPerLine, layout.format);
        return !image->isNull();
    }

    bool supportsOption(ImageOption option) const override { return option == Size || option == ImageFormat; }

    QVariant option(ImageOption option) const override
    {
        if (option == Size)
            return QSize(m_Picture.layout.width, m_Picture.layout.height);
        if (option == ImageFormat)
            return int(m_Picture.layout.format);
        return QVariant();
    }

private:
    const MappableFile m_Picture;
    bool m_Done = false;
};

} // namespace

QImageIOPlugin::Capabilities MappedPicturePlugin::capabilities(QIODevice* device, const QByteArray& format) const
{
    return Mappable(device, format) ? CanRead : Capabilities();
}

QImageIOHandler* MappedPicturePlugin::create(QIODevice* device, const QByteArray& format) const
{
    std::optional<MappableFile> picture = Mappable(device, format);
    if (!picture)
        return nullptr;
    auto* handler = new MappedPictureHandler(std::move(*picture));
    handler->setDevice(device);
    handler->setFormat(format);
    return handler;
}
