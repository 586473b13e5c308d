#pragma once

#include <QString>
#include <cstdint>

// Scrambles the high-score rows so that the settings file does not show them in plain text.
// Each character of the alphabet is shifted within the alphabet by a pseudo-random amount drawn
// from the key; everything else (blanks, punctuation, other letters) stays as it is, so the length
// is kept and Decode(Encode(t)) == t for every text.
class TChiffre {
  public:
    static constexpr std::int32_t DefaultKey = 60917;

    // An empty alphabet means A-Z, a-z, 0-9; a key of 0 means DefaultKey; the key's sign is dropped.
    explicit TChiffre(const QString& alphabet = QString(), std::int32_t key = 0);

    const QString& alphabet() const { return alphabet_; }
    std::int64_t key() const { return key_; }

    QString Encode(const QString& text) const { return Scramble(text, key_); }
    QString Decode(const QString& text) const { return Scramble(text, -key_); }

  private:
    // k > 0 shifts forward, k < 0 backward along the same sequence of shifts.
    QString Scramble(const QString& text, std::int64_t k) const;

    QString alphabet_;
    std::int64_t key_; // 64 bits, so the magnitude of the smallest 32-bit key fits
};
