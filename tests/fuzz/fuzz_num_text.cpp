// dbl_text reads back exactly what num_text wrote, in either locale, and reads
// any other text either as a finite number or not at all.
#include "engine/numtext.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size >= sizeof(float)) {
        float value;
        std::memcpy(&value, data, sizeof value);
        if (std::isfinite(value)) {
            for (std::string_view sep : {".", ","}) {
                const auto back = stk::dbl_text(stk::num_text(value, sep), sep);
                if (!back || *back != stk::round7(value))
                    std::abort();
            }
        }
    }
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (std::string_view sep : {".", ","}) {
        const auto v = stk::dbl_text(text, sep);
        if (v && !std::isfinite(*v))
            std::abort();
    }
    return 0;
}
