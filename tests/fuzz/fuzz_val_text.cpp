// val_text reads every finite leading number, exactly as the C library reads
// the same text with its blanks removed, and fails only beyond the double range.
#include "engine/checked.h"
#include "engine/numtext.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The text with blanks, tabs and line feeds removed, when its leading number is
// one that strtod reads the same way (no hexadecimal, no inf or nan words).
bool comparable(const std::string& s)
{
    std::size_t i = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
    if (i >= s.size() || !(is_digit(s[i]) || s[i] == '.'))
        return false;
    return !(s[i] == '0' && i + 1 < s.size() && (s[i + 1] == 'x' || s[i + 1] == 'X'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string stripped;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            stripped += c;
    if (stripped.find('\0') != std::string::npos)
        stripped.resize(stripped.find('\0'));

    double value = 0;
    bool failed = false;
    try {
        value = stk::val_text(text);
    } catch (const stk::step_failure&) {
        failed = true;
    }
    if (!failed && !std::isfinite(value))
        std::abort();

    if (!comparable(stripped)) {
        if (failed || value != 0.0)
            std::abort();  // no leading number reads as 0
        return 0;
    }
    errno = 0;
    const double expected = std::strtod(stripped.c_str(), nullptr);
    const bool overflow = errno == ERANGE && std::isinf(expected);
    if (overflow != failed)
        std::abort();
    if (!failed && value != expected)
        std::abort();
    return 0;
}
