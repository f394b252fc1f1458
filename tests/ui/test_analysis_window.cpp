// The most-sensitive-parameter analysis and its flasher, clicked in the window.
#include "window_helpers.h"

#include <QDeadlineTimer>
#include <QPushButton>
#include <QTimer>
#include <cmath>
#include <gtest/gtest.h>
#include <optional>

namespace stk::test {
namespace {

constexpr Field varied[] = {Field::dat, Field::pst, Field::uut, Field::dvt, Field::crt};

void click(da_stk_secu& w, std::string_view button) { QTest::mouseClick(w.control(button), Qt::LeftButton); }

void fill(da_stk_secu& w, const std::vector<Typed>& typed)
{
    for (const Typed& t : typed)
        box(w, t.field)->setText(QString::fromUtf8(t.text));
}

// Worked out from the window's own texts with the engine alone: each varied
// field in turn gets 99 % of its number, and the recommended row's new total
// is compared with the total the window shows. The field that moves it
// strictly furthest wins, the earliest on a tie; a field that does not move
// the total at all never wins.
std::optional<std::string> most_sensitive(const da_stk_secu& w)
{
    bool ok = false;
    const int level = box(w, "sst", 5)->text().toInt(&ok);
    if (!ok || level < 0 || level >= level_count)
        return std::nullopt;
    const double shown = box(w, "tt", level)->text().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    const Texts texts = texts_of(w);
    const float before = calculate(texts).rows.t[static_cast<std::size_t>(level)];
    std::optional<std::string> winner;
    double largest = 0;
    for (Field f : varied) {
        Texts lowered = texts;
        const double number = val_text(texts[static_cast<std::size_t>(f)]);
        lowered[static_cast<std::size_t>(f)] = QString::number(number * 0.99, 'g', 17).toStdString();
        const float after = calculate(lowered).rows.t[static_cast<std::size_t>(level)];
        const double change = std::fabs(double(after) - shown);
        if (after != before && change > largest) {
            largest = change;
            winner = std::string(info(f).name);
        }
    }
    return winner;
}

std::vector<std::string> names_of(const std::optional<std::string>& winner)
{
    return winner ? std::vector<std::string>{*winner} : std::vector<std::string>{};
}

struct AnalysisCase {
    const char* name;
    std::vector<Typed> typed;
    const char* recommended;
};

const std::vector<Typed> worked{{"cct", "50"},  {"tst", "2"},     {"dat", "4"},   {"pst", "200"},
                                {"uut", "2000"}, {"dvt", "10000"}, {"crt", "500"}, {"nbt", "3"}};

std::vector<Typed> worked_with(std::string_view field, const char* text)
{
    std::vector<Typed> typed = worked;
    for (Typed& t : typed)
        if (t.field == field)
            t.text = text;
    return typed;
}

const AnalysisCase analysis_cases[] = {
    {"WorkedExample", worked, "3"},
    {"LevelZero", worked_with("crt", "1"), "0"},
    {"LongLeadTime", worked_with("dat", "60"), nullptr},
    {"FewHoursOfUse", worked_with("uut", "50"), nullptr},
    {"ExpensivePart", worked_with("pst", "90000"), nullptr},
    {"NegativeLeadTime",
     {{"cct", "50"}, {"tst", "2"}, {"dat", "-1"}, {"pst", "1"}, {"uut", "2000"}, {"dvt", "3"}, {"crt", "500"}, {"nbt", "3"}},
     "4"},
};

class Analysis : public ::testing::TestWithParam<AnalysisCase> {
protected:
    void SetUp() override
    {
        fill(w, GetParam().typed);
        if (GetParam().recommended) {
            ASSERT_EQ(box(w, "sst", 5)->text(), GetParam().recommended);
        }
        before = texts_of(w);
        expected = most_sensitive(w);
        RecordProperty("recommended", box(w, "sst", 5)->text().toStdString());
        RecordProperty("winner", expected.value_or("none"));
        box(w, "rt", 0)->setText("7");  // overwritten by the closing recalculation
    }
    Fresh fresh;
    da_stk_secu& w = fresh.w;
    Texts before;
    std::optional<std::string> expected;
};

TEST_P(Analysis, HighlightsTheFieldThatMovesTheRecommendedTotalMost)
{
    ASSERT_TRUE(expected.has_value());
    click(w, "Command4");
    EXPECT_EQ(highlighted_fields(w), names_of(expected));
    EXPECT_TRUE(w.timer()->isActive());
    EXPECT_EQ(w.timer()->interval(), 500);
}

TEST_P(Analysis, LeavesTheFieldsAsTypedAndTheResultsOfAFreshCalculation)
{
    click(w, "Command4");
    EXPECT_EQ(texts_of(w), before);
    EXPECT_TRUE(shows_results_of(w, before));
}

INSTANTIATE_TEST_SUITE_P(Cases, Analysis, ::testing::ValuesIn(analysis_cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AnalysisAtLevelZero, DatWinsUnlessCrtMovesTheTotalStrictlyMore)
{
    Fresh fresh;
    da_stk_secu& w = fresh.w;
    fill(w, worked_with("crt", "1"));
    ASSERT_EQ(w.recommended_text(), "0");
    click(w, "Command4");
    const std::vector<std::string> shown = highlighted_fields(w);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0] == "dat" || shown[0] == "crt") << shown[0];
    EXPECT_EQ(shown, names_of(most_sensitive(w)));
}

// Ways of leaving nothing for the analysis to find.
struct NothingCase {
    const char* name;
    void (*prepare)(da_stk_secu&);
};

const NothingCase nothing_cases[] = {
    {"NoStockOutCost", [](da_stk_secu& w) { fill(w, worked_with("crt", "0")); }},
    {"NoStockOutCostAfterAWinner",
     [](da_stk_secu& w) {
         fill(w, worked);
         click(w, "Command4");
         ASSERT_EQ(highlighted_fields(w).size(), 1u);
         box(w, "crt")->setText("0");
     }},
    {"AfterClear",
     [](da_stk_secu& w) {
         fill(w, worked);
         click(w, "Picture2");
     }},
    {"AfterClearFollowingAWinner",
     [](da_stk_secu& w) {
         fill(w, worked);
         click(w, "Command4");
         for (int tick = 0; tick < 7; ++tick)
             w.Timer1_Timer();
         click(w, "Picture2");
     }},
    {"EmptiedRecommendedStock",
     [](da_stk_secu& w) {
         fill(w, worked);
         box(w, "sst", 5)->clear();
     }},
    {"RecommendedStockBeyondTheTable",
     [](da_stk_secu& w) {
         fill(w, worked);
         box(w, "sst", 5)->setText("7");
     }},
};

class NothingToHighlight : public ::testing::TestWithParam<NothingCase> {};

TEST_P(NothingToHighlight, ColoursNoFieldButStillTicksSevenTimes)
{
    Fresh fresh;
    da_stk_secu& w = fresh.w;
    GetParam().prepare(w);
    click(w, "Command4");
    EXPECT_EQ(highlighted_fields(w), std::vector<std::string>{});
    for (int tick = 1; tick <= 7; ++tick) {
        ASSERT_TRUE(w.timer()->isActive()) << "before tick " << tick;
        w.Timer1_Timer();
        EXPECT_EQ(highlighted_fields(w), std::vector<std::string>{}) << "tick " << tick;
    }
    EXPECT_FALSE(w.timer()->isActive());
}

INSTANTIATE_TEST_SUITE_P(Cases, NothingToHighlight, ::testing::ValuesIn(nothing_cases),
                         [](const auto& info) { return std::string(info.param.name); });

// After tick n the chosen field is highlighted on even ticks up to 6, normal
// otherwise, and the timer stops at tick 7.
struct Tick {
    int n;
    bool highlighted;
    bool running;
};

constexpr Tick flasher_ticks[] = {{1, false, true}, {2, true, true},  {3, false, true}, {4, true, true},
                                  {5, false, true}, {6, true, true}, {7, false, false}};

class Flasher : public ::testing::Test {
protected:
    void SetUp() override
    {
        fill(w, worked);
        chosen = most_sensitive(w).value_or("");
        ASSERT_FALSE(chosen.empty());
        ASSERT_FALSE(w.timer()->isActive());
        click(w, "Command4");
        ASSERT_EQ(highlighted_fields(w), std::vector<std::string>{chosen});
    }
    // Runs the seven ticks and checks the pattern after each.
    void expect_seven_ticks()
    {
        for (const Tick& t : flasher_ticks) {
            w.Timer1_Timer();
            EXPECT_EQ(highlighted_fields(w), t.highlighted ? std::vector<std::string>{chosen} : std::vector<std::string>{})
                << "tick " << t.n;
            EXPECT_EQ(w.timer()->isActive(), t.running) << "tick " << t.n;
        }
    }
    Fresh fresh;
    da_stk_secu& w = fresh.w;
    std::string chosen;
};

TEST_F(Flasher, BlinksFourTimesAndStopsAtTheSeventhTick) { expect_seven_ticks(); }

TEST_F(Flasher, ASecondClickDuringTheBlinkStartsAgainFromTickZero)
{
    for (int tick = 0; tick < 3; ++tick)
        w.Timer1_Timer();
    ASSERT_EQ(highlighted_fields(w), std::vector<std::string>{});
    click(w, "Command4");
    EXPECT_EQ(highlighted_fields(w), std::vector<std::string>{chosen});
    expect_seven_ticks();
}

TEST_F(Flasher, ASecondClickMovesTheHighlightToTheNewWinner)
{
    w.Timer1_Timer();
    w.Timer1_Timer();
    box(w, "crt")->setText("1");  // now stock 0 is recommended
    chosen = most_sensitive(w).value_or("");
    click(w, "Command4");
    EXPECT_EQ(highlighted_fields(w), std::vector<std::string>{chosen});
    expect_seven_ticks();
}

TEST_F(Flasher, ClearDuringTheBlinkKeepsTheColoursAndTheTicks)
{
    click(w, "Picture2");
    EXPECT_EQ(highlighted_fields(w), std::vector<std::string>{chosen});
    EXPECT_TRUE(w.timer()->isActive());
    expect_seven_ticks();
}

TEST_F(Flasher, TheRealTimerBlinksEveryHalfSecondAndThenStops)
{
    std::vector<bool> pattern;
    QObject::connect(w.timer(), &QTimer::timeout, &w, [&] { pattern.push_back(!highlighted_fields(w).empty()); });
    const QDeadlineTimer deadline(6000);
    while (w.timer()->isActive() && !deadline.hasExpired())
        QTest::qWait(20);
    EXPECT_FALSE(w.timer()->isActive());
    EXPECT_EQ(pattern, (std::vector<bool>{false, true, false, true, false, true, false}));
}

TEST(FlasherNeighbours, TheOtherFieldsAndButtonKeepTheirColours)
{
    Fresh fresh;
    da_stk_secu& w = fresh.w;
    fill(w, worked);
    const QColor normal = painted(box(w, "cct"));
    const QColor face = w.control("Command4")->palette().color(QPalette::Button);
    click(w, "Command4");
    for (int tick = 0; tick < 7; ++tick) {
        for (const char* name : {"cct", "tst", "nbt", "vp", "jt", "npi"})
            EXPECT_EQ(painted(box(w, name)), normal) << name << " at tick " << tick;
        EXPECT_EQ(painted(box(w, "tt", 3)), normal) << "tick " << tick;
        EXPECT_EQ(w.control("Command4")->palette().color(QPalette::Button), face);
        w.Timer1_Timer();
    }
}

}  // namespace
}  // namespace stk::test
