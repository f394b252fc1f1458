#include "catalogue/article_csv.h"

#include "batch/captions.h"
#include "csv/csv.h"

#include <array>

namespace stk {
namespace {

enum Column : std::size_t { reference, description, dat, pst, uut, dvt, crt, nbt, stock, stock_shown, column_count };
constexpr std::size_t first_param = dat;

std::array<batch::ColumnName, column_count> column_names()
{
    std::array<batch::ColumnName, column_count> names;
    names[reference] = {"reference", batch::window_captions("Référence")};
    names[description] = {"description", batch::window_captions("Désignation")};
    for (std::size_t i = 0; i < article_fields.size(); ++i)
        names[first_param + i] = {info(article_fields[i]).name,
                                  batch::window_captions(info(article_fields[i]).caption)};
    names[stock] = {"stock", {"Stock actuel", "Current stock", "Estoque atual"}};  // as stk_batch names it
    names[stock_shown] = {"stock", batch::window_captions("Stock actuel")};        // as the catalogue shows it
    return names;
}

std::string trim(std::string s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.back()))
        s.pop_back();
    std::size_t first = 0;
    while (first < s.size() && blank(s[first]))
        ++first;
    return s.substr(first);
}

std::optional<std::int64_t> read_stock(const std::string& text)
{
    const std::string t = trim(text);
    if (t.empty())
        return std::nullopt;
    std::int64_t value = 0;
    for (char c : t) {
        if (c < '0' || c > '9' || value > 1'000'000'000'000)
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

std::optional<CsvArticles> read_article_csv(const std::filesystem::path& file, std::string& error)
{
    std::string reason;
    const auto reader = csv::Reader::open(file, {}, reason);
    if (!reader) {
        error = reason;
        return std::nullopt;
    }
    csv::Row row;
    if (!reader->next(row)) {
        error = reader->error().empty() ? "cannot import " + file.string() + ": the file is empty" : reader->error();
        return std::nullopt;
    }
    std::vector<std::string> header;
    for (std::size_t i = 0; i < row.size(); ++i)
        header.push_back(reader->to_utf8(row[i]));
    const auto names = column_names();
    auto found = match_columns(header, names);
    if (!found[stock])
        found[stock] = found[stock_shown];
    for (std::size_t c = reference; c <= nbt; ++c) {
        if (c == description || found[c])
            continue;
        error = "cannot import " + file.string() + ": no column \"" + std::string(names[c].key) + "\" (" +
                names[c].captions[0] + ", " + names[c].captions[1] + ", " + names[c].captions[2] + ") in the header";
        return std::nullopt;
    }
    CsvArticles list;
    const auto field = [&](std::size_t c) {
        return found[c] && *found[c] < row.size() ? reader->to_utf8(row[*found[c]]) : std::string();
    };
    while (reader->next(row)) {
        if (row.blank())
            continue;
        ArticleData a;
        a.reference = field(reference);
        a.description = field(description);
        for (std::size_t i = 0; i < article_fields.size(); ++i)
            a.params[i] = field(first_param + i);
        a.stock = read_stock(field(stock));
        list.articles.push_back(std::move(a));
        list.lines.push_back(row.line);
    }
    if (!reader->error().empty()) {
        error = reader->error();
        return std::nullopt;
    }
    return list;
}

}  // namespace stk
