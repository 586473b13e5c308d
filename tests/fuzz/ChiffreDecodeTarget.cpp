#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "app/dialogs/Chiffre.h"

// Arbitrary text through the codec: the first two bytes choose the key, the rest is the text.
// Decoding never fails, keeps the length, and encoding brings back what was decoded.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::int32_t key = 0;
    if (size >= 2) {
        // Both halves the same, so that the extremes (0, -1, the smallest key) come up often.
        key = static_cast<std::int32_t>((data[0] | (std::uint32_t{data[1]} << 8)) * 65537u);
        data += 2;
        size -= 2;
    }
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const TChiffre& chiffre :
         {TChiffre(), TChiffre(QString(), key), TChiffre(QStringLiteral("xyz"), key)}) {
        const QString plain = chiffre.Decode(text);
        if (plain.size() != text.size() || chiffre.Encode(plain) != text)
            std::abort();
    }
    return 0;
}
