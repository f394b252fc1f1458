// The font configuration read ahead on another thread: whether its reader
// finishes in time or is overtaken, the window's thread goes on with a
// configuration that finds fonts, and nothing is left waiting.
#include "ui/font_warm_up.h"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

namespace stk::test {
namespace {

class FontWarmUp : public ::testing::TestWithParam<int> {};

TEST_P(FontWarmUp, LeavesAConfigurationThatFindsFonts)
{
    // Several readers, each dropped while the next starts: an overtaken one
    // outlives its owner.
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

// No patience: the window's thread reads the configuration itself unless the
// reader is already done. Ample patience: the reader's configuration is used.
INSTANTIATE_TEST_SUITE_P(Patience, FontWarmUp, ::testing::Values(0, 1000),
                         [](const auto& info) { return info.param ? "Ample" : "None"; });

}  // namespace
}  // namespace stk::test
