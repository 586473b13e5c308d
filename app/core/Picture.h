#pragma once

#include <QImage>
#include <QString>

// A PNG picture carried inside the program. Read as PNG without asking the image plugins first:
// asking them loads every one of them, which the first frame does not need.
QImage pngPicture(const QString& path);

// A BMP picture from a file; null when the file is missing, not a BMP, or shorter than its header
// says. Qt reads a cut-off BMP without complaint and leaves the missing rows undefined.
QImage bmpPicture(const QString& path);
