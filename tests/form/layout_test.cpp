// The control order that the start-up, shut-down and translation walks follow.
#include "model_helpers.h"

namespace stk::test {
namespace {

// The walk names an array element after its array, as the parameter file stores it.
TEST(ControlOrder, ListsTheTextBoxesAsTheParameterFileStoresThem)
{
    std::vector<std::string> boxes;
    for (const ui::ControlDef& def : ui::controls())
        if (def.kind == ui::Kind::text_box)
            boxes.emplace_back(def.name);
    std::vector<std::string> names{"jt", "npi", "vp", "dat", "pst", "uut", "dvt", "crt", "nbt", "cct", "tst", "sst"};
    for (int i = 0; i < 5; ++i)
        names.insert(names.end(), {"rt", "sst", "cdt", "cgt", "tt"});
    EXPECT_EQ(boxes, names);
}

}  // namespace
}  // namespace stk::test
