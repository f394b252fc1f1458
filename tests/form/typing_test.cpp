// Typing into the model and starting it from a folder: which changes recalculate, and what the observer hears.
#include "model_helpers.h"
#include "temp_files.h"

#include <algorithm>
#include <sstream>

namespace stk::test {
namespace {

using Reports = std::vector<std::pair<Change, std::size_t>>;

// A text set in a box of the worked example, what the observer hears (a calculation only for a changed input), and
// what the box then holds.
struct Edit {
    const char *name, *box;
    int index;
    const char* text;
    Reports heard;
    const char* kept = nullptr;  // null: the text as set
};

class Typing : public WorkedModel, public ::testing::WithParamInterface<Edit> {};

TEST_P(Typing, ReportsEachChangeOfTheStoredText)
{
    const Edit& e = GetParam();
    recorder.reports.clear();
    model.set_text(pos_of(e.box, e.index), e.text);
    EXPECT_EQ(recorder.reports, e.heard);
    EXPECT_EQ(model.text(pos_of(e.box, e.index)), e.kept ? e.kept : e.text);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, Typing,
    ::testing::Values(
        Edit{"InputChange", "crt", ui::no_index, "1000", {{Change::text, pos_of("crt")}, {Change::results, 0}}},
        Edit{"SameInput", "crt", ui::no_index, "500", {}},
        Edit{"ResultBox", "tt", 2, "1", {{Change::text, pos_of("tt", 2)}}},
        Edit{"CarriageReturnDropped", "vp", ui::no_index, "56\r\n78", {{Change::text, pos_of("vp")}}, "56\n78"}),
    case_name);

TEST_F(WorkedModel, ArticleFieldsSetTogetherRecalculateOnce)
{
    recorder.reports.clear();
    model.set_fields({"60", "200", "2000", "10000", "1", "3"});
    EXPECT_EQ(std::count(recorder.reports.begin(), recorder.reports.end(), std::pair(Change::results, std::size_t{0})),
              1);
    EXPECT_EQ(model.field_text(Field::dat), "60");
    EXPECT_EQ(model.field_text(Field::crt), "1");
}

TEST_F(WorkedModel, ClearKeepsTheCaptions)
{
    model.clear_all();
    EXPECT_EQ(model.caption(pos_of("Etiquette27", 7)), "Risque");
}

// The results a file holds are replaced by one calculation from all the restored fields.
TEST(Session, LoadCalculatesOnceFromAllTheRestoredFields)
{
    TempDir dir;
    std::ostringstream diag;
    WindowModel model{"."};
    Recorder recorder{model};
    std::string params = "da_stk_secu\ttt\t1\r\nda_stk_secu\tsst\t0\r\n";
    for (const auto& [field, text] : worked::typed)
        params += "da_stk_secu\t" + std::string(info(field).name) + "\t" + std::string(text) + "\r\n";
    write_bytes(dir / "param_stk_secu.txt", params);
    model.load_session(dir.path, diag);
    EXPECT_EQ(std::count(recorder.reports.begin(), recorder.reports.end(), std::pair(Change::results, std::size_t{0})),
              1);
    EXPECT_EQ(model.field_text(Field::pst), "200");
    EXPECT_EQ(model.result_text(Line::tt, 4), "866.0012");
    EXPECT_EQ(model.recommended_text(), worked::recommended);
    EXPECT_EQ(diag.str(), "");
}

}  // namespace
}  // namespace stk::test
