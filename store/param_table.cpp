#include "store/param_table.h"

#include <utility>

namespace stk {

const Record* ParamTable::find(std::string_view window, std::string_view key) const
{
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i][0] == window && rows[i][1] == key)
            return &rows[i];
    return nullptr;
}

Record* ParamTable::find(std::string_view window, std::string_view key)
{
    return const_cast<Record*>(std::as_const(*this).find(window, key));
}

std::string ParamTable::getparam(std::string_view window, std::string_view key, std::string_view fallback) const
{
    const Record* row = find(window, key);
    return std::string(row ? std::string_view((*row)[2]) : fallback);
}

void ParamTable::setparam(std::string_view window, std::string_view key, std::string_view value)
{
    if (Record* row = find(window, key))
        (*row)[2] = value;
    else
        rows.append({std::string(window), std::string(key), std::string(value)});
}

void ParamTable::setparam(std::string_view window, std::string_view key, long long value)
{
    setparam(window, key, std::to_string(value));
}

}  // namespace stk
