// The catalogue as a table on screen: every article with its results computed
// by the engine for the window's two company parameters, filtered and sorted.
// Numbers are computed for every article (sorting needs them); texts are
// written only when a row is asked for.
#pragma once

#include "catalogue/catalogue.h"
#include "engine/model.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stk {

enum class Column : std::size_t {
    reference,
    description,
    dat,
    pst,
    uut,
    dvt,
    crt,
    nbt,
    stock,        // stock on hand
    recommended,  // recommended safety stock, 0 to 4
    total,        // total cost at the recommended stock
    saving,       // total at the stock on hand minus total at the recommended stock
};
inline constexpr std::size_t column_count = 12;

// The parameter shown in a column, if it shows one.
std::optional<Field> column_field(Column c);
// Columns written as numbers (right-aligned): the stock and the results.
bool is_number_column(Column c);

// The results of one article.
struct Figures {
    int recommended = 1;
    float total = 0;  // total at the recommended stock
    // The total at the stock on hand less the total at the recommended stock,
    // both as shown (7 significant digits); only for a stock on hand of 0 to 4,
    // the stocks the model weighs.
    std::optional<float> saving;
};

// The results of one article from its numbers (the company's cc and ts
// included) and its stock on hand.
Figures figures_of(const Params& article, std::optional<std::int64_t> stock);

class ArticleTable {
public:
    // Shows these articles, computed for the company parameters last set.
    void set_articles(std::vector<Article> articles);
    // Reads the two company parameters as the fields are read and recomputes
    // every article.
    void set_company(std::string_view cct, std::string_view tst);

    // Adds or replaces the article of the same id; filter and order are kept.
    void put(const Article& a);
    void erase(std::int64_t id);

    // Shows the articles whose reference or description contains `text`
    // (ASCII letters in any case); an empty text shows them all.
    void set_filter(std::string_view text);
    const std::string& filter() const { return filter_; }
    bool matches_filter(const Article& a) const;
    void sort(Column c, bool descending);
    Column sort_column() const { return sort_column_; }
    bool sort_descending() const { return descending_; }

    std::size_t size() const { return shown_.size(); }  // rows shown
    std::size_t total_size() const { return entries_.size(); }
    const Article& article(std::size_t row) const { return entries_[shown_[row]].article; }
    const Figures& figures(std::size_t row) const { return entries_[shown_[row]].figures; }
    std::optional<std::size_t> row_of(std::int64_t id) const;

    // The text of a cell; `separator` is the user's decimal separator.
    std::string text(std::size_t row, Column c, std::string_view separator) const;

private:
    struct Entry {
        Article article;
        Params params;  // read from the article's texts; cc and ts are the company's
        Figures figures;
    };
    void read(Entry& e) const;
    void refresh();  // filter, then sort
    bool before(const Entry& a, const Entry& b) const;

    std::vector<Entry> entries_;
    std::vector<std::uint32_t> shown_;
    double cc_ = 0;
    float ts_ = 0;
    std::string filter_;
    Column sort_column_ = Column::reference;
    bool descending_ = false;
};

}  // namespace stk
