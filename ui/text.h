// The one conversion from the logic's UTF-8 texts to the toolkit's strings.
#pragma once

#include <QString>
#include <string_view>

namespace stk::ui {

inline QString text_of(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace stk::ui
