// The catalogue's table: results per article, filter and sort.
#include "catalogue/article_table.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using stk::Article;
using stk::ArticleTable;
using stk::Column;

// The worked example's article: 4 weeks, 200 €, 2000 h/yr, 10000 h, 500 €/day, 3 in service.
Article article(std::int64_t id, std::string reference, std::optional<std::int64_t> stock = {},
                std::string price = "200", std::string description = {})
{
    Article a;
    a.id = id;
    a.reference = std::move(reference);
    a.description = std::move(description);
    a.params = {"4", price, "2000", "10000", "500", "3"};
    a.stock = stock;
    return a;
}

std::vector<std::string> column(const ArticleTable& t, Column c, std::string_view separator = ".")
{
    std::vector<std::string> out;
    for (std::size_t row = 0; row < t.size(); ++row)
        out.push_back(t.text(row, c, separator));
    return out;
}

// Totals of the worked example at stocks 0 to 4: 26549.06, 788.3407, 674.9994,
// 662.0747, 866.0012; 3 is recommended.
TEST(ArticleTable, SavingIsTheTotalAtTheStockOnHandLessTheRecommendedTotal)
{
    for (auto [stock, saving] : std::vector<std::pair<std::optional<std::int64_t>, const char*>>{
             {0, "25886.99"},
             {1, "126.266"},
             {2, "12.9247"},
             {3, "0"},
             {4, "203.9265"},
             {5, ""},  // beyond the five stocks the model weighs
             {{}, ""}}) {
        SCOPED_TRACE(stock.value_or(-1));
        ArticleTable t;
        t.set_articles({article(1, "A", stock)});
        t.set_company("50", "2");
        EXPECT_EQ(t.text(0, Column::recommended, "."), "3");
        EXPECT_EQ(t.text(0, Column::total, "."), "662.0747");
        EXPECT_EQ(t.text(0, Column::total, ","), "662,0747");
        EXPECT_EQ(t.text(0, Column::saving, "."), saving);
    }
}

TEST(ArticleTable, RecomputesEveryArticleWhenTheCompanyChanges)
{
    ArticleTable t;
    t.set_articles({article(1, "A", 1), article(2, "B", 3)});
    t.set_company("50", "2");
    EXPECT_EQ(column(t, Column::total), (std::vector<std::string>{"662.0747", "662.0747"}));
    // No ordering cost: every total of stocks 1 to 4 is 50 lower.
    t.set_company("0", "2");
    EXPECT_EQ(column(t, Column::total), (std::vector<std::string>{"612.0747", "612.0747"}));
    EXPECT_EQ(column(t, Column::saving), (std::vector<std::string>{"126.266", "0"}));
    // The company texts are read as the fields are: "5O" reads 5.
    t.set_company("5O", "2");
    EXPECT_EQ(t.text(0, Column::total, "."), "617.0747");
}

TEST(ArticleTable, ShowsTheParametersAsTyped)
{
    ArticleTable t;
    Article a = article(1, "A", 2, " 2 00 ", "Pompe");
    t.set_articles({a});
    t.set_company("50", "2");
    const std::vector<std::string> expected{"A", "Pompe", "4", " 2 00 ", "2000", "10000", "500", "3", "2", "3"};
    for (std::size_t c = 0; c < expected.size(); ++c)
        EXPECT_EQ(t.text(0, static_cast<Column>(c), "."), expected[c]) << c;
    EXPECT_EQ(t.text(0, Column::total, "."), "662.0747");  // " 2 00 " reads 200
}

TEST(ArticleTable, SortsOnEveryColumnWithEmptyValuesLast)
{
    ArticleTable t;
    t.set_articles({article(1, "b", {}, "1000", "zèbre"), article(2, "A", 4, "200", "Ane"),
                    article(3, "C", 0, "30", "ours"), article(4, "d", {}, "200", "")});
    t.set_company("50", "2");
    using V = std::vector<std::string>;
    EXPECT_EQ(column(t, Column::reference), (V{"A", "b", "C", "d"}));
    // Parameters sort by the number they read, not as text; ties by reference.
    for (const auto& [by, descending, order] :
         std::vector<std::tuple<Column, bool, V>>{{Column::reference, true, {"d", "C", "b", "A"}},
                                                  {Column::description, false, {"d", "A", "C", "b"}},
                                                  {Column::pst, false, {"C", "A", "d", "b"}},
                                                  {Column::pst, true, {"b", "d", "A", "C"}},
                                                  {Column::stock, false, {"C", "A", "b", "d"}},
                                                  {Column::stock, true, {"A", "C", "d", "b"}}}) {
        t.sort(by, descending);
        EXPECT_EQ(column(t, Column::reference), order) << static_cast<int>(by) << descending;
    }
    t.sort(Column::saving, true);  // C, at stock 0, first
    EXPECT_EQ(column(t, Column::saving), (V{"26407.19", "203.9265", "", ""}));
    t.sort(Column::total, false);
    EXPECT_EQ(column(t, Column::reference).front(), "C");  // the cheapest part
}

TEST(ArticleTable, FiltersOnEitherTextFollowingEdits)
{
    ArticleTable t;
    t.set_articles({article(1, "PMP-1", {}, "200", "Pompe"), article(2, "VAN-2", {}, "200", "Vanne de pompe"),
                    article(3, "MOT-3", {}, "200", "Moteur")});
    t.set_company("50", "2");
    t.set_filter("pomp");
    EXPECT_EQ(column(t, Column::reference), (std::vector<std::string>{"PMP-1", "VAN-2"}));
    t.set_filter("mot");
    EXPECT_EQ(column(t, Column::reference), (std::vector<std::string>{"MOT-3"}));

    // An edit that no longer matches leaves the rows shown; a new match appears.
    Article edited = t.article(0);
    edited.description = "Moteur électrique";
    edited.reference = "ZZZ";
    t.put(edited);
    t.put(article(9, "NEW", 1, "200", "motoréducteur"));
    EXPECT_EQ(column(t, Column::reference), (std::vector<std::string>{"NEW", "ZZZ"}));
    EXPECT_EQ(t.row_of(3), 1u);
    EXPECT_EQ(t.text(*t.row_of(9), Column::saving, "."), "126.266");
    t.erase(3);
    t.set_filter("");
    EXPECT_EQ(column(t, Column::reference), (std::vector<std::string>{"NEW", "PMP-1", "VAN-2"}));
    EXPECT_EQ(t.total_size(), 3u);
    EXPECT_FALSE(t.row_of(3));
}

}  // namespace
