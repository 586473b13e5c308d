#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

#include "app/core/Picture.h"

namespace {
// The size a BMP file's own header gives for the whole file.
qint64 declaredFileSize(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray header = file.read(6);
    return header.size() == 6 ? qFromLittleEndian<quint32>(header.constData() + 2) : -1;
}

struct CutCase {
    const char* what;
    QSize size;
    std::function<bool(const QString&)> write; // the whole picture, to the given path
};

// A row cut short by even one byte must not count as the picture: Qt would fill the missing
// pixels with anything, and the bottom row of a BMP is the first one on screen. The pixel data
// starts after the headers (and a colour table, if any), and each row is padded to four bytes.
TEST(BmpPicture, CutOneByteShortOfItsDeclaredSizeIsRefused)
{
    const std::vector<CutCase> cases = {
        {"the game's own b1.bmp", QSize(500, 333),
         [](const QString& path) {
             return QFile::copy(QCoreApplication::applicationDirPath() + "/b1.bmp", path);
         }},
        {"256 colours in padded rows, the colour table before the pixels", QSize(499, 333),
         [](const QString& path) {
             QImage picture(499, 333, QImage::Format_Indexed8);
             picture.setColorCount(256);
             for (int i = 0; i < 256; ++i)
                 picture.setColor(i, qRgb(i, 255 - i, i / 2));
             // Every byte, the padding at the end of each row too: it goes into the file.
             std::memset(picture.bits(), 7, static_cast<size_t>(picture.sizeInBytes()));
             return picture.save(path, "BMP");
         }},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const CutCase& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = dir.filePath("b1.bmp");
        QFile::remove(path);
        ASSERT_TRUE(c.write(path));
        const qint64 declared = declaredFileSize(path);
        ASSERT_EQ(QFileInfo(path).size(), declared) << "the header tells the true size";

        const QImage whole = bmpPicture(path);
        ASSERT_FALSE(whole.isNull());
        EXPECT_EQ(whole.size(), c.size);

        ASSERT_TRUE(QFile(path).resize(declared - 1));
        EXPECT_TRUE(bmpPicture(path).isNull());
    }
}

// A picture with a different colour in every pixel and rows padded to four bytes, as a 24-bit BMP.
QByteArray trueColourBmp(QImage& picture)
{
    picture = QImage(7, 5, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(30 * x + 1, 40 * y + 2, 5 * x + 7 * y + 3));
    QByteArray file;
    QBuffer buffer(&file);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "BMP");
    return file;
}

// Its rows in the opposite order, as a negative height says.
QByteArray topDown(QByteArray file)
{
    const int offset = qFromLittleEndian<qint32>(file.constData() + 10);
    const int width = qFromLittleEndian<qint32>(file.constData() + 18);
    const int height = qFromLittleEndian<qint32>(file.constData() + 22);
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    QByteArray flipped = file;
    for (int row = 0; row < height; ++row)
        std::memcpy(flipped.data() + offset + row * rowBytes,
                    file.constData() + offset + (height - 1 - row) * rowBytes, rowBytes);
    qToLittleEndian<qint32>(-height, flipped.data() + 22);
    return flipped;
}

// Every pixel where it belongs and in its own colour, whichever way the rows run.
TEST(BmpPicture, TrueColourRowsArriveInPlaceAndInTheirColours)
{
    QImage expected;
    const QByteArray bottomUp = trueColourBmp(expected);
    ASSERT_EQ(qFromLittleEndian<quint16>(bottomUp.constData() + 28), 24) << "Qt writes 24-bit rows";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const auto& [what, bytes] :
         {std::pair{"bottom row first", bottomUp}, {"top row first", topDown(bottomUp)}}) {
        SCOPED_TRACE(what);
        const QString path = dir.filePath("picture.bmp");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        const QImage read = bmpPicture(path);
        ASSERT_EQ(read.size(), expected.size());
        EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), expected);
    }
}
} // namespace
