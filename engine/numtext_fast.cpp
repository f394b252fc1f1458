// The fast way to num_text: the seven significant digits come from one
// scaling in double precision, which is exact enough except within a hair of
// a rounding tie; those few values take the exact way of num_text.
#include "engine/numtext.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace stk {
namespace {

constexpr int pow10_min = -60;
constexpr int pow10_max = 60;

constexpr std::array<double, pow10_max - pow10_min + 1> make_powers()
{
    std::array<double, pow10_max - pow10_min + 1> p{};
    // Each positive power up to 10^22 is exact; beyond, and for negative
    // powers, the nearest double within a few units of the last place.
    double up = 1.0;
    for (int k = 0; k <= pow10_max; ++k) {
        p[static_cast<std::size_t>(k - pow10_min)] = up;
        up *= 10.0;
    }
    double down = 1.0;
    for (int k = 0; k >= pow10_min; --k) {
        p[static_cast<std::size_t>(k - pow10_min)] = down;
        down /= 10.0;
    }
    return p;
}
constexpr auto powers = make_powers();

double pow10(int k) { return powers[static_cast<std::size_t>(k - pow10_min)]; }

constexpr std::array<char, 200> make_pairs()
{
    std::array<char, 200> p{};
    for (int i = 0; i < 100; ++i) {
        p[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
        p[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return p;
}
constexpr auto digit_pairs = make_pairs();

// Writes the seven digits of m (1 000 000 to 9 999 999).
void seven_digits(char* out, std::uint32_t m)
{
    const std::uint32_t high = m / 10000, low = m % 10000;
    out[0] = static_cast<char>('0' + high / 100);
    std::memcpy(out + 1, &digit_pairs[2 * (high % 100)], 2);
    std::memcpy(out + 3, &digit_pairs[2 * (low / 100)], 2);
    std::memcpy(out + 5, &digit_pairs[2 * (low % 100)], 2);
}

std::size_t slow(char* out, float value, char separator)
{
    const std::string text = num_text(value, std::string_view(&separator, 1));
    std::memcpy(out, text.data(), text.size());
    return text.size();
}

}  // namespace

std::size_t num_text_to(char* out, float value, char separator)
{
    if (value == 0.0f || !std::isfinite(value)) {
        out[0] = '0';
        return 1;
    }
    const double v = std::fabs(static_cast<double>(value));
    // Decimal exponent of the first digit: from the binary one (v, a float
    // widened, is always a normal double), then corrected.
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    const int binary_exponent = static_cast<int>((bits >> 52) & 0x7FF) - 1023;
    int e = (binary_exponent * 78913) >> 18;  // floor(e2 * log10(2))
    if (v >= pow10(e + 1))
        ++e;
    const int scale = 6 - e;
    const double x = scale >= 0 ? v * pow10(scale) : v / pow10(-scale);
    if (!(x >= 999999.0 && x < 10000000.0))
        return slow(out, value, separator);
    const auto m_whole = static_cast<std::uint32_t>(x);  // x is positive: this is its floor
    const double whole = m_whole;
    const double fraction = x - whole;
    // For scales 0 to 12 the product of the 24-bit value by the power of ten
    // fits the 53 bits of a double: x is exact and a tie is a true tie, which
    // goes to the even neighbour as in num_text. Otherwise x may be a few
    // units of the last place off, and a value near a tie takes the exact way.
    const bool exact = scale >= 0 && scale <= 12;
    if (!exact && std::fabs(fraction - 0.5) < 1e-6)
        return slow(out, value, separator);
    auto m = m_whole;
    if (fraction > 0.5 || (fraction == 0.5 && (m & 1)))
        ++m;
    if (m < 1000000)  // x a hair below 10^6: the exponent estimate was one too high
        return slow(out, value, separator);
    if (m >= 10000000) {
        m /= 10;
        ++e;
    }
    // Copies below move eight bytes at a time; the digits are padded for it.
    char digits[16] = {};
    seven_digits(digits, m);
    int n = 7;
    while (n > 1 && digits[n - 1] == '0')
        --n;

    char* p = out;
    if (value < 0)
        *p++ = '-';
    if (e >= -4 && e <= 6) {
        if (e >= 0) {
            const int integer = e + 1;
            if (n <= integer) {
                // The seven digits hold the zeros of the whole number already.
                std::memcpy(p, digits, 8);
                p += integer;
            } else {
                std::memcpy(p, digits, 8);
                p += integer;
                *p++ = separator;
                std::memcpy(p, digits + integer, 8);
                p += n - integer;
            }
        } else {
            *p++ = '0';
            *p++ = separator;
            for (int k = 0; k < -e - 1; ++k)
                *p++ = '0';
            std::memcpy(p, digits, 8);
            p += n;
        }
    } else {
        *p++ = digits[0];
        if (n > 1) {
            *p++ = separator;
            std::memcpy(p, digits + 1, 8);
            p += n - 1;
        }
        *p++ = 'E';
        *p++ = e < 0 ? '-' : '+';
        const int a = e < 0 ? -e : e;
        *p++ = static_cast<char>('0' + a / 10);
        *p++ = static_cast<char>('0' + a % 10);
    }
    return static_cast<std::size_t>(p - out);
}

}  // namespace stk
