#include "app/dialogs/Chiffre.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>

namespace {

// The shifts must come out the same wherever the rows were written. The products and sums of each
// step are formed in x87 extended precision where the compiler offers it (long double on x86, with
// pi rounded to 64 bits of mantissa); elsewhere in double, which may differ in a rare last bit.
#if (defined(__i386__) || defined(__x86_64__)) && LDBL_MANT_DIG == 64
using Wide = long double;
constexpr Wide Pi = 3.14159265358979323846264338327950288L;
#else
using Wide = double;
constexpr Wide Pi = 3.14159265358979323846;
#endif

const QString DefaultAlphabet =
    QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");

} // namespace

TChiffre::TChiffre(const QString& alphabet, std::int32_t key)
    : alphabet_(alphabet.isEmpty() ? DefaultAlphabet : alphabet),
      key_(key == 0 ? DefaultKey : std::llabs(static_cast<std::int64_t>(key)))
{
}

QString TChiffre::Scramble(const QString& text, std::int64_t k) const
{
    if (text.isEmpty())
        return text;
    const auto length = static_cast<std::int64_t>(alphabet_.size());
    // x lives in double between the steps; each step is formed wide and stored back.
    double x = static_cast<double>(std::fabs(static_cast<Wide>(k) / Pi));
    QString result = text;
    for (QChar& character : result) {
        x = static_cast<double>(x - std::trunc(x));
        std::int64_t shift = static_cast<std::int64_t>(static_cast<Wide>(length) * x);
        if (k < 0)
            shift = -shift;
        x = static_cast<double>(static_cast<Wide>(x) * 997 + Pi);
        const auto index = alphabet_.indexOf(character);
        if (index >= 0)
            character = alphabet_[(index + length + shift) % length];
    }
    return result;
}
