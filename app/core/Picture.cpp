#include "app/core/Picture.h"

#include <QImageReader>

QImage pngPicture(const QString& path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}
