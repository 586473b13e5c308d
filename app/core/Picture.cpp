#include "app/core/Picture.h"

#include <QFile>
#include <QImageReader>
#include <QtEndian>
#include <cstdint>
#include <cstdlib>

QImage pngPicture(const QString& path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

namespace {
constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 40;
constexpr std::uint32_t UncompressedRgb = 0;
constexpr std::uint32_t Bitfields = 3;

template <typename T> T field(const QByteArray& header, int offset)
{
    return qFromLittleEndian<T>(header.constData() + offset);
}

// The size an uncompressed BMP needs for all its rows; 0 when the header does not tell (compressed
// rows, the old OS/2 header) and the reader has to decide alone.
std::int64_t neededFileSize(const QByteArray& header)
{
    if (header.size() < FileHeaderSize + InfoHeaderSize || field<std::uint32_t>(header, 14) < InfoHeaderSize)
        return 0;
    const std::int64_t width = field<std::int32_t>(header, 18);
    const std::int64_t height = std::abs(std::int64_t{field<std::int32_t>(header, 22)});
    const std::int64_t bitsPerPixel = field<std::uint16_t>(header, 28);
    const std::uint32_t compression = field<std::uint32_t>(header, 30);
    if (compression != UncompressedRgb && compression != Bitfields)
        return 0;
    const std::int64_t rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    return field<std::uint32_t>(header, 10) + rowBytes * height;
}

constexpr int TrueColourBits = 24;
// Far beyond any picture of the game; a header claiming more is not taken on trust.
constexpr std::int64_t LargestSide = 16384;

// Uncompressed 24-bit rows, the kind the game's own pictures are, are taken as they lie in the file
// and converted whole: Qt's reader goes pixel by pixel, which costs several milliseconds on the way
// to the first frame. Null for any other kind, which the reader then handles.
QImage trueColourPicture(QFile& file, const QByteArray& header)
{
    if (header.size() < FileHeaderSize + InfoHeaderSize ||
        field<std::uint32_t>(header, 14) < InfoHeaderSize ||
        field<std::uint16_t>(header, 28) != TrueColourBits ||
        field<std::uint32_t>(header, 30) != UncompressedRgb)
        return {};
    const std::int64_t width = field<std::int32_t>(header, 18);
    const std::int64_t height = field<std::int32_t>(header, 22);
    const std::int64_t rows = std::abs(height);
    if (width <= 0 || width > LargestSide || rows == 0 || rows > LargestSide)
        return {};
    const std::int64_t rowBytes = (width * TrueColourBits + 31) / 32 * 4;
    const std::int64_t offset = field<std::uint32_t>(header, 10);
    const uchar* bytes = file.map(offset, rowBytes * rows);
    if (!bytes)
        return {};
    // Blue, green, red in each pixel; the bottom row comes first unless the height is negative.
    QImage picture = QImage(bytes, static_cast<int>(width), static_cast<int>(rows),
                            static_cast<qsizetype>(rowBytes), QImage::Format_BGR888)
                         .convertToFormat(QImage::Format_RGB32);
    file.unmap(const_cast<uchar*>(bytes));
    return height > 0 ? std::move(picture).mirrored(false, true) : picture;
}
} // namespace

QImage bmpPicture(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray header = file.peek(FileHeaderSize + InfoHeaderSize);
    if (!header.startsWith("BM") || file.size() < neededFileSize(header))
        return {};
    if (QImage picture = trueColourPicture(file, header); !picture.isNull())
        return picture;
    // Read as BMP only: asking the image plugins whether they know the file would load them all.
    QImageReader reader(&file, "bmp");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}
