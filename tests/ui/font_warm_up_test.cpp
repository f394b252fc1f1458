// The font configuration read ahead on another thread: whether its reader
// finishes in time or is let onto every core and waited for, the window's
// thread goes on with a configuration that finds fonts.
#include "ui/font_warm_up.h"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

namespace stk::test {
namespace {

class FontWarmUp : public ::testing::TestWithParam<int> {};

TEST_P(FontWarmUp, LeavesAConfigurationThatFindsFonts)
{
    // Several readers in turn, some released while still reading.
    for (int reader = 0; reader < 8; ++reader) {
        ui::FontConfigWarmUp fonts;
        fonts.wait(std::chrono::milliseconds(GetParam()));
        FcPattern* wanted = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif:weight=bold"));
        ASSERT_NE(wanted, nullptr);
        FcConfigSubstitute(nullptr, wanted, FcMatchPattern);
        FcDefaultSubstitute(wanted);
        FcResult result = FcResultNoMatch;
        FcPattern* found = FcFontMatch(nullptr, wanted, &result);
        FcChar8* file = nullptr;
        EXPECT_TRUE(found && FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch && file && *file);
        if (found)
            FcPatternDestroy(found);
        FcPatternDestroy(wanted);
    }
}

// No patience: a reader kept off a core is released at once. Ample patience:
// the reader finishes where it stands.
INSTANTIATE_TEST_SUITE_P(Patience, FontWarmUp, ::testing::Values(0, 1000),
                         [](const auto& info) { return info.param ? "Ample" : "None"; });

}  // namespace
}  // namespace stk::test
