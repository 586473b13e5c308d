#pragma once

#include <QImage>
#include <QString>

// A PNG picture carried inside the program. Read as PNG without asking the image plugins first:
// asking them loads every one of them, which the first frame does not need.
QImage pngPicture(const QString& path);
