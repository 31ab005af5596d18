#pragma once

#include <QImageIOPlugin>

// Reads the program's pictures without decoding them. The build stores in
// each picture the pixels as Qt paints them (widgets/PixelChunk.h); this
// image format plugin, which Qt asks before its own PNG reader, serves such a
// file by mapping those pixels, so that a picture is read from the disk only
// where it is drawn, and a picture that no one sees costs neither time nor
// memory. Any other PNG is left to Qt's own reader. The mapped files stay
// mapped for the life of the process, as its libraries do, so they are
// replaced by writing a new file, not by overwriting one in place.
//
// main imports it with Q_IMPORT_PLUGIN(MappedPicturePlugin).
class MappedPicturePlugin : public QImageIOPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "MappedPictures.json")

public:
    Capabilities capabilities(QIODevice* device, const QByteArray& format) const override;
    QImageIOHandler* create(QIODevice* device, const QByteArray& format = QByteArray()) const override;
};
