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
} // namespace

QImage bmpPicture(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray header = file.peek(FileHeaderSize + InfoHeaderSize);
    if (!header.startsWith("BM") || file.size() < neededFileSize(header))
        return {};
    // Read as BMP only: asking the image plugins whether they know the file would load them all.
    QImageReader reader(&file, "bmp");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}
