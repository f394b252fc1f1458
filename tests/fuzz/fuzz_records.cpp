// Reading a table file and writing it back: any file whose lines all end in
// CR LF comes back byte for byte, and whatever was read writes back to a file
// that reads as the same table. A translation file, whose rows may have two
// texts, writes back to a file of three-text rows that reads as the same table.
// The seeds include values and captions of tens of thousands of characters.
#include "store/records.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Every CR is followed by LF, and the last line has its CR LF.
bool all_lines_end_in_cr_lf(std::string_view bytes)
{
    if (!bytes.empty() && !bytes.ends_with("\r\n"))
        return false;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))
            return false;
    return true;
}

bool same(const stk::Records& a, const stk::Records& b)
{
    if (a.size() != b.size() || a.kept_lines().size() != b.kept_lines().size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            return false;
    for (std::size_t i = 0; i < a.kept_lines().size(); ++i)
        if (a.kept_lines()[i].raw != b.kept_lines()[i].raw ||
            a.kept_lines()[i].before_row != b.kept_lines()[i].before_row)
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    stk::Records table;
    stk::parse_records(bytes, table);
    if (table.size() > stk::Records::capacity)
        std::abort();
    const std::string written = stk::format_records(table);
    if (all_lines_end_in_cr_lf(bytes) && written != bytes)
        std::abort();

    stk::Records again;
    stk::parse_records(written, again);
    if (!same(table, again) || stk::format_records(again) != written)
        std::abort();

    stk::Records translations;
    stk::parse_records(bytes, translations, 2);
    const std::string trad_written = stk::format_records(translations);
    stk::Records trad_again;
    stk::parse_records(trad_written, trad_again, 3);
    if (translations.size() < table.size() || !same(translations, trad_again))
        std::abort();
    return 0;
}
