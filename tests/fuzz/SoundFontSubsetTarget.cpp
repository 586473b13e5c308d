#include <QBuffer>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "app/sound/module/SoundFontSubset.h"

namespace {
QByteArray readAll(const SoundFontSubset& subset, QIODevice& file)
{
    QByteArray all(subset.size(), '\0');
    if (!subset.read(0, all.data(), all.size(), file))
        std::abort();
    return all;
}
} // namespace

// Arbitrary bytes as a MIDI file (for the presets it plays) and as a SoundFont to take a subset of:
// neither reads past what it is given, and a subset, taken again with the same presets, keeps them.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    std::set<SoundFontPreset> presets = presetsPlayed(bytes);
    presets.insert({{0, 0}, {128, 0}, {0, 5}});
    QBuffer file;
    file.setData(bytes);
    file.open(QIODevice::ReadOnly);
    QString error;
    const auto subset = SoundFontSubset::make(file, QString(), presets, error);
    if (!subset)
        return 0;
    QBuffer again;
    again.setData(readAll(*subset, file));
    again.open(QIODevice::ReadOnly);
    const auto twice = SoundFontSubset::make(again, QString(), presets, error);
    if (!twice || twice->presetCount() != subset->presetCount() || readAll(*twice, again) != again.data())
        std::abort();
    return 0;
}
