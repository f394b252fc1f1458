// Start-up on the model and a folder of its own.
#include "model_helpers.h"
#include "temp_files.h"

#include <algorithm>
#include <sstream>

namespace stk::test {
namespace {

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
