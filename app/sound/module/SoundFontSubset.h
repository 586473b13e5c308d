#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <compare>
#include <memory>
#include <optional>
#include <set>

// A General MIDI SoundFont describes every one of its instruments in zones that FluidSynth keeps in
// memory for as long as the font is loaded: megabytes for fonts of 128 instruments, of which a piece
// plays a handful. A subset is the same file seen with only the presets a piece plays: the header
// and the sample data stand as they are (read from the file when wanted), the preset data is made
// anew with those presets, their instruments and their samples.

struct SoundFontPreset {
    int bank = 0;
    int program = 0;
    auto operator<=>(const SoundFontPreset&) const = default;
};

// The presets a Standard MIDI File sounds its notes with: a channel's program when a note starts,
// the bank its last bank select chose; the tenth channel plays the percussion bank (128). A channel
// that plays before any program change plays program 0. Cut-off or malformed events end the scan of
// their track.
std::set<SoundFontPreset> presetsPlayed(const QByteArray& midiFile);

class SoundFontSubset {
  public:
    // The subset of the SoundFont file at `path` with `presets` and, where one is missing, what a
    // synthesiser falls back to (program 0 of the percussion bank, the same program in bank 0).
    // Empty, with the reason in `error`, when the file cannot be read or is no SoundFont.
    static std::shared_ptr<const SoundFontSubset>
    make(const QString& path, const std::set<SoundFontPreset>& presets, QString& error);
    // The same from a file already open, which later reads find at `path`.
    static std::shared_ptr<const SoundFontSubset>
    make(QIODevice& file, const QString& path, const std::set<SoundFontPreset>& presets, QString& error);

    const QString& path() const { return path_; }
    qint64 size() const { return keptLength_ + presetData_.size(); }
    int presetCount() const { return presetCount_; }
    // Bytes [offset, offset + count) of the subset; false past its end or when the file fails.
    bool read(qint64 offset, char* into, qint64 count, QIODevice& file) const;

  private:
    QString path_;
    qint64 keptLength_ = 0; // the file's bytes up to its preset data
    QByteArray riffLength_; // the file's length field, counted anew for the subset
    QByteArray presetData_; // the preset data's LIST chunk, made anew
    int presetCount_ = 0;
};
