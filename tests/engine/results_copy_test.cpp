// The results table copied as tab-separated text and as an HTML table.
#include "engine/results_copy.h"

#include "engine/model.h"
#include "worked_example.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>

namespace {

using stk::Field;

stk::Presentation worked_example(std::string_view separator, std::string_view total_cost = "50")
{
    stk::FieldTexts t = stk::worked::field_texts();
    t[Field::cct] = total_cost;
    return stk::present(stk::calc(t), separator);
}

stk::TableCaptions french()
{
    return {{"Stock de Sécurité", "Risque", "Coût direct", "Coût de Gestion", "Total"}, "€"};
}

TEST(ResultsCopy, TabSeparatedLinesHoldTheTableAsShown)
{
    EXPECT_EQ(stk::results_tsv(worked_example(","), french()),
              "Stock de Sécurité\t0\t1\t2\t3\t4\n"
              "Risque (€)\t26549,06\t534,3407\t216,9994\t0,07472568\t0,001140828\n"
              "Coût direct (€)\t0\t40\t80\t120\t160\n"
              "Coût de Gestion (€)\t0\t214\t378\t542\t706\n"
              "Total (€)\t26549,06\t788,3407\t674,9994\t662,0747\t866,0012\n");
}

TEST(ResultsCopy, ACaptionCannotBreakTheLines)
{
    stk::TableCaptions captions = french();
    captions.lines[1] = "Ris\tque\r\n";
    captions.money.clear();
    const std::string tsv = stk::results_tsv(worked_example("."), captions);
    EXPECT_NE(tsv.find("\nRis que  \t26549.06\t534.3407\t"), std::string::npos) << tsv;
    EXPECT_EQ(std::count(tsv.begin(), tsv.end(), '\n'), 5);
    EXPECT_EQ(std::count(tsv.begin(), tsv.end(), '\t'), 25);
}

struct HtmlCase {
    std::string separator, cost, fragment;
};
void PrintTo(const HtmlCase& c, std::ostream* os) { *os << c.fragment; }

class ResultsHtml : public testing::TestWithParam<HtmlCase> {};

TEST_P(ResultsHtml, CellsCarryTheNumberWithAPointBesideTheText)
{
    const auto& [separator, cost, fragment] = GetParam();
    const std::string html = stk::results_html(worked_example(separator, cost), french(), separator);
    EXPECT_NE(html.find(fragment), std::string::npos) << html;
}

INSTANTIATE_TEST_SUITE_P(
    Cells, ResultsHtml,
    testing::Values(HtmlCase{",", "50", "<td x:num=\"534.3407\" sdval=\"534.3407\">534,3407</td>"},
                    HtmlCase{".", "50", "<td x:num=\"534.3407\" sdval=\"534.3407\">534.3407</td>"},
                    HtmlCase{",", "50", "<td x:num=\"0.001140828\" sdval=\"0.001140828\">0,001140828</td>"},
                    HtmlCase{",", "50",
                             "<tr><th>Total (€)</th><td x:num=\"26549.06\" sdval=\"26549.06\">26549,06</td>"},
                    HtmlCase{",", "50", "<tr><th>Stock de Sécurité</th><td x:num=\"0\" sdval=\"0\">0</td>"},
                    // An order cost of 12345000: level 1 costs 12345000 + 204 + 534.3407.
                    HtmlCase{",", "12345000", "<td x:num=\"1.234574E+07\" sdval=\"1.234574E+07\">1,234574E+07</td>"},
                    HtmlCase{"٫", "50", "<td x:num=\"534.3407\" sdval=\"534.3407\">534٫3407</td>"}));

// Escaped, in a page that says it is UTF-8.
TEST(ResultsCopy, HtmlShowsCaptionsAsWritten)
{
    stk::TableCaptions captions = french();
    captions.lines[4] = "<b>Total & co</b>";
    const std::string html = stk::results_html(worked_example("."), captions, ".");
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(html.find("<th>&lt;b&gt;Total &amp; co&lt;/b&gt; (€)</th>"), std::string::npos) << html;
    EXPECT_EQ(html.find("<b>"), std::string::npos);
}

}  // namespace
