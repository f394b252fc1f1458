#include "catalogue/location.h"

namespace stk {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool starts_with_folded(std::string_view text, std::string_view lower_prefix)
{
    if (text.size() < lower_prefix.size())
        return false;
    for (std::size_t i = 0; i < lower_prefix.size(); ++i)
        if (ascii_lower(text[i]) != lower_prefix[i])
            return false;
    return true;
}

}  // namespace

bool is_server_location(std::string_view where)
{
    for (std::string_view scheme : {"postgresql://", "postgres://"})
        if (starts_with_folded(where, scheme))
            return true;
    // A libpq "keyword=value" string: a first word of letters followed by '='.
    std::size_t i = 0;
    while (i < where.size() && is_blank(where[i]))
        ++i;
    const std::size_t word = i;
    while (i < where.size() && ((where[i] >= 'a' && where[i] <= 'z') || where[i] == '_'))
        ++i;
    while (i < where.size() && where[i] == ' ')
        ++i;
    return i > word && i < where.size() && where[i] == '=';
}

}  // namespace stk
