#include "app/sound/MidiFile.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>

namespace {
// Music files are a few kilobytes; anything far larger is not one of them.
constexpr qint64 LargestPiece = 8 * 1024 * 1024;
constexpr int ChunkHeaderSize = 8;

quint32 chunkLength(const QByteArray& bytes, qsizetype at)
{
    return qFromBigEndian<quint32>(bytes.constData() + at + 4);
}
} // namespace

bool isMidiFile(const QByteArray& bytes)
{
    if (bytes.size() < 14 || !bytes.startsWith("MThd") || chunkLength(bytes, 0) < 6)
        return false;
    const quint16 tracks = qFromBigEndian<quint16>(bytes.constData() + 10);
    qsizetype at = ChunkHeaderSize + chunkLength(bytes, 0);
    for (int found = 0; found < tracks;) {
        if (at + ChunkHeaderSize > bytes.size())
            return false;
        const qint64 end = at + ChunkHeaderSize + static_cast<qint64>(chunkLength(bytes, at));
        if (end > bytes.size())
            return false;
        // Chunks of unknown types are allowed and skipped.
        if (bytes.mid(at, 4) == "MTrk") {
            static const QByteArray endOfTrack("\xFF\x2F\x00", 3);
            if (end - at < ChunkHeaderSize + 3 || bytes.mid(end - 3, 3) != endOfTrack)
                return false;
            ++found;
        }
        at = end;
    }
    return tracks > 0;
}

std::optional<QByteArray> readMidiFile(const QString& path, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return std::nullopt;
    }
    // Asking for the largest piece at once would reserve all of it for a file of a few kilobytes.
    const qint64 size = file.size();
    const QByteArray bytes = file.read(size > 0 ? std::min(size, LargestPiece) + 1 : LargestPiece + 1);
    if (!isMidiFile(bytes)) {
        error = QStringLiteral("not a Standard MIDI File");
        return std::nullopt;
    }
    return bytes;
}
