#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "app/dialogs/HighscoreList.h"

// Arbitrary text as a stored high-score row: it parses to a row that writes back to text which
// parses to the same row again.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto [score, name] = HighscoreList::parseRow(text);
    const auto [again, nameAgain] = HighscoreList::parseRow(HighscoreList::rowText(score, name));
    if (again != score || nameAgain != name)
        std::abort();
    return 0;
}
