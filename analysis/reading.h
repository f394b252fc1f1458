// Reading numbers back from texts the window shows.
#pragma once

#include "engine/checked.h"
#include "engine/numtext.h"

#include <string_view>

namespace stk {

// dbl_text as a step of a handler: a text that is not a number in the
// user's locale fails the step.
inline double read_number(std::string_view text, std::string_view separator)
{
    const auto value = dbl_text(text, separator);
    if (!value)
        fail();
    return *value;
}

}  // namespace stk
