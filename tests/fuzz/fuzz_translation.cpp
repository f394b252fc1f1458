// The translation pass over an arbitrary table, arbitrary captions and any
// language: it ends, the table stays within its rows, a caption only ever
// takes a non-empty cell of the chosen column or, when that cell is empty, of
// the French one, and a caption no row holds is learnt while there is room.
// The seeds include captions of tens of thousands of characters.
#include "store/param_table.h"
#include "store/records.h"
#include "store/trad_table.h"
#include "store/fake_window.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Labels and a title: translation never sets a text nor calculates.
struct CaptionWalk : stk::test::FakeWindow {
    CaptionWalk() : FakeWindow({}) {}
    void set_text(std::size_t, std::string_view) override { std::abort(); }
    void calc() override { std::abort(); }
};

std::vector<std::string> split(std::string_view s, char sep)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= s.size(); ++i)
        if (i == s.size() || s[i] == sep) {
            out.emplace_back(s.substr(start, i - start));
            start = i + 1;
        }
    return out;
}

bool holds(const stk::TradTable& trad, std::size_t column, std::string_view text)
{
    for (std::size_t r = 0; r < trad.rows.size(); ++r)
        if (trad.rows[r][column] == text)
            return true;
    return false;
}

}  // namespace

// Input: the translation file's bytes, a NUL, the language value, a NUL, then
// the captions separated by LF, the last one being the window title.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto parts = split(std::string_view(reinterpret_cast<const char*>(data), size), '\0');
    if (parts.size() < 3)
        return 0;
    stk::TradTable trad;
    stk::parse_records(parts[0], trad.rows, 2);  // as a translation file is read
    stk::ParamTable params;
    params.setparam("da_stk_secu", "langue", parts[1]);
    CaptionWalk walk;
    walk.captions = split(parts[2], '\n');
    walk.window_title = walk.captions.back();
    walk.captions.pop_back();
    const auto before = walk.captions;
    const auto title_before = walk.window_title;
    const std::size_t rows_before = trad.rows.size();

    stk::translate_window(params, trad, walk);

    if (trad.rows.size() > stk::Records::capacity || trad.rows.size() < rows_before)
        std::abort();
    for (std::size_t r = rows_before; r < trad.rows.size(); ++r)
        if (trad.rows[r][0].empty() || !trad.rows[r][1].empty() || !trad.rows[r][2].empty())
            std::abort();  // a learnt row holds its caption in the French column only
    const auto column = stk::language(params);
    for (std::size_t i = 0; i < before.size(); ++i) {
        const std::string& now = walk.captions[i];
        if (now == before[i])
            continue;
        if (!column || now.empty() || !(holds(trad, *column, now) || holds(trad, 0, now)))
            std::abort();
    }
    if (walk.window_title != title_before && (!column || walk.window_title.empty()))
        std::abort();
    return 0;
}
