#include "catalogue/article_table.h"

#include "engine/checked.h"
#include "engine/numtext.h"

#include <algorithm>
#include <compare>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace stk {

namespace {

int compare_folded(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool contains_folded(std::string_view text, std::string_view part)
{
    if (part.size() > text.size())
        return false;
    for (std::size_t i = 0; i + part.size() <= text.size(); ++i)
        if (compare_folded(text.substr(i, part.size()), part) == 0)
            return true;
    return false;
}

// Rounded to 7 significant digits, so that a difference of two shown values
// is shown as the user would work it out (26549.06 - 662.0747 = 25886.99).
double seven_digits(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6e", v);
    return std::strtod(text, nullptr);
}

// Empty values sort after every value, whatever the direction.
template <class T>
int compare_optional(const std::optional<T>& a, const std::optional<T>& b)
{
    if (a.has_value() != b.has_value())
        return a ? -1 : 1;
    if (!a || *a == *b)
        return 0;
    return *a < *b ? -1 : 1;
}

template <class T>
int compare_values(T a, T b)
{
    return a == b ? 0 : (a < b ? -1 : 1);
}

// Runs work(first, last) over [0, count) in a few slices at once, when the
// table is large enough for threads to pay.
template <class Work>
void in_slices(std::size_t count, Work work)
{
    const std::size_t threads = std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()), 4);
    if (count < 20000 || threads < 2) {
        work(std::size_t{0}, count);
        return;
    }
    std::vector<std::thread> helpers;
    const std::size_t slice = (count + threads - 1) / threads;
    for (std::size_t t = 1; t < threads; ++t)
        helpers.emplace_back(work, std::min(count, t * slice), std::min(count, (t + 1) * slice));
    work(std::size_t{0}, std::min(count, slice));
    for (std::thread& h : helpers)
        h.join();
}

}  // namespace

std::optional<Field> column_field(Column c)
{
    const auto i = static_cast<std::size_t>(c);
    if (i >= static_cast<std::size_t>(Column::dat) && i <= static_cast<std::size_t>(Column::nbt))
        return article_fields[i - static_cast<std::size_t>(Column::dat)];
    return std::nullopt;
}

bool is_number_column(Column c) { return static_cast<std::size_t>(c) >= static_cast<std::size_t>(Column::stock); }

Figures figures_of(const Params& p, std::optional<std::int64_t> stock)
{
    Figures f;
    const Rows rows = evaluate(p);
    f.recommended = recommend(rows);
    f.total = rows.t[static_cast<std::size_t>(f.recommended)];
    if (stock && *stock >= 0 && *stock < level_count) {
        // The difference of the two totals as the calculator shows them.
        const double at_stock = round7(rows.t[static_cast<std::size_t>(*stock)]);
        const double at_recommended = round7(f.total);
        step([&] { f.saving = single(seven_digits((Dbl(at_stock) - at_recommended).value())); });
    }
    return f;
}

void ArticleTable::read(Entry& e) const
{
    FieldTexts texts;
    for (std::size_t i = 0; i < article_param_count; ++i)
        texts[article_fields[i]] = e.article.params[i];
    e.params = read_params(texts);
    e.params.cc = cc_;
    e.params.ts = ts_;
    e.figures = figures_of(e.params, e.article.stock);
}

void ArticleTable::set_articles(std::vector<Article> articles)
{
    entries_.clear();
    entries_.reserve(articles.size());
    for (Article& a : articles)
        entries_.push_back(Entry{std::move(a), {}, {}});
    in_slices(entries_.size(), [this](std::size_t first, std::size_t last) {
        for (std::size_t i = first; i < last; ++i)
            read(entries_[i]);
    });
    refresh();
}

void ArticleTable::set_company(std::string_view cct, std::string_view tst)
{
    // The same reading as the calculator's, on the two company fields alone.
    FieldTexts texts;
    texts[Field::cct] = cct;
    texts[Field::tst] = tst;
    const Params company = read_params(texts);
    cc_ = company.cc;
    ts_ = company.ts;
    in_slices(entries_.size(), [this](std::size_t first, std::size_t last) {
        for (std::size_t i = first; i < last; ++i) {
            Entry& e = entries_[i];
            e.params.cc = cc_;
            e.params.ts = ts_;
            e.figures = figures_of(e.params, e.article.stock);
        }
    });
    // Only the result columns changed; their order may have too.
    if (is_number_column(sort_column_) && sort_column_ != Column::stock)
        refresh();
}

void ArticleTable::put(const Article& a)
{
    auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.article.id == a.id; });
    if (it == entries_.end()) {
        entries_.push_back(Entry{a, {}, {}});
        it = entries_.end() - 1;
    } else {
        it->article = a;
    }
    read(*it);
    refresh();
}

void ArticleTable::erase(std::int64_t id)
{
    std::erase_if(entries_, [&](const Entry& e) { return e.article.id == id; });
    refresh();
}

void ArticleTable::set_filter(std::string_view text)
{
    filter_ = std::string(text);
    refresh();
}

bool ArticleTable::matches_filter(const Article& a) const
{
    return filter_.empty() || contains_folded(a.reference, filter_) || contains_folded(a.description, filter_);
}

void ArticleTable::sort(Column c, bool descending)
{
    sort_column_ = c;
    descending_ = descending;
    refresh();
}

std::optional<std::size_t> ArticleTable::row_of(std::int64_t id) const
{
    for (std::size_t row = 0; row < shown_.size(); ++row)
        if (entries_[shown_[row]].article.id == id)
            return row;
    return std::nullopt;
}

bool ArticleTable::before(const Entry& a, const Entry& b) const
{
    int order = 0;
    bool nulls_last = false;  // compare_optional already placed empty values
    switch (sort_column_) {
    case Column::reference:
        break;
    case Column::description:
        order = compare_folded(a.article.description, b.article.description);
        break;
    case Column::stock:
        order = compare_optional(a.article.stock, b.article.stock);
        nulls_last = a.article.stock.has_value() != b.article.stock.has_value();
        break;
    case Column::recommended:
        order = compare_values(a.figures.recommended, b.figures.recommended);
        break;
    case Column::total:
        order = compare_values(a.figures.total, b.figures.total);
        break;
    case Column::saving:
        order = compare_optional(a.figures.saving, b.figures.saving);
        nulls_last = a.figures.saving.has_value() != b.figures.saving.has_value();
        break;
    default:
        if (const auto f = column_field(sort_column_)) {
            order = compare_values(param_value(a.params, *f), param_value(b.params, *f));
            if (order == 0)
                order = compare_folded(a.article.param(*f), b.article.param(*f));
        }
        break;
    }
    if (order != 0)
        return (descending_ && !nulls_last) ? order > 0 : order < 0;
    // Ties, and the reference column: by reference, in the chosen direction.
    order = compare_folded(a.article.reference, b.article.reference);
    if (order == 0)
        order = compare_values(a.article.id, b.article.id);
    return descending_ ? order > 0 : order < 0;
}

void ArticleTable::refresh()
{
    shown_.clear();
    shown_.reserve(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (matches_filter(entries_[i].article))
            shown_.push_back(static_cast<std::uint32_t>(i));
    const auto order = [&](std::uint32_t x, std::uint32_t y) { return before(entries_[x], entries_[y]); };
    // The catalogue lists its articles by reference: nothing to do then.
    if (!std::is_sorted(shown_.begin(), shown_.end(), order))
        std::sort(shown_.begin(), shown_.end(), order);
}

std::string ArticleTable::text(std::size_t row, Column c, std::string_view separator) const
{
    const Entry& e = entries_[shown_[row]];
    switch (c) {
    case Column::reference:
        return e.article.reference;
    case Column::description:
        return e.article.description;
    case Column::stock:
        return e.article.stock ? std::to_string(*e.article.stock) : std::string();
    case Column::recommended:
        return std::to_string(e.figures.recommended);
    case Column::total:
        return num_text(e.figures.total, separator);
    case Column::saving:
        return e.figures.saving ? num_text(*e.figures.saving, separator) : std::string();
    default:
        return e.article.param(*column_field(c));
    }
}

}  // namespace stk
