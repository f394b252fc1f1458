// Where the controls are, the order the keyboard and the walks visit them, and what they are called.
#include "window_helpers.h"

namespace stk::test {
namespace {

// A control, its container (empty: the window) and its place in pixels, 15 twips a pixel.
struct Placement {
    const char *name, *control;
    int index;
    const char* container;
    QRect pixels;
};

class Layout : public WindowWith<Placement> {};

TEST_P(Layout, PutsTheControlWhereTheTableSays)
{
    const auto& [_, name, index, container, pixels] = GetParam();
    ASSERT_NE(w.control(name, index), nullptr);
    EXPECT_EQ(w.control(name, index)->geometry(), pixels);
    EXPECT_EQ(w.control(name, index)->parentWidget(), *container ? w.control(container) : &w);
}

INSTANTIATE_TEST_SUITE_P(Controls, Layout,
                         ::testing::Values(Placement{"tt2", "tt", 2, "Frame1", {5580 / 15, 1710 / 15, 73, 19}},
                                           Placement{"Command1", "Command1", -1, "Frame4", {304, 126, 25, 25}},
                                           Placement{"ln1", "ln", 1, "", {888, 436, 32, 22}}),
                         case_name);

// The widgets that Tab stops at, from `start` round the focus chain.
std::vector<std::string> tab_walk(QWidget* start)
{
    std::vector<std::string> names;
    QWidget* at = start;
    do
        if (at->isVisible() && at->isEnabled() && (at->focusPolicy() & Qt::TabFocus) && !at->focusProxy())
            names.push_back(at->objectName().toStdString());
    while ((at = at->nextInFocusChain()) != start);
    return names;
}

class Order : public Window {};

// The keyboard runs from the article fields through the results to the buttons and the
// assistant; the control walk and the accessible names follow the controls and their captions.
TEST_F(Order, OfTheKeyboardAndOfTheControlWalkAndNamesOfTheTextBoxes)
{
    w.show();
    std::vector<std::string> expected{"nbt", "dat", "pst", "uut", "dvt", "crt", "cct", "tst"};
    for (int i = 0; i < 5; ++i)
        for (const char* line : {"sst", "rt", "cdt", "cgt", "tt"})
            expected.push_back(std::string(line) + "(" + std::to_string(i) + ")");
    expected.insert(expected.end(), {"sst(5)", "g", "Command1", "validation", "Picture2", "Command4", "site_web",
                                     "email_sup", "ln(0)", "ln(1)", "ln(2)"});
    EXPECT_EQ(tab_walk(w.control("nbt")), expected);
    click(w, "Command1");
    EXPECT_EQ(tab_walk(w.control("g")),
              (std::vector<std::string>{"g", "validation", "Picture2", "vp", "npi", "Command2", "Command3", "jt",
                                        "site_web", "email_sup", "ln(0)", "ln(1)", "ln(2)"}));
    std::vector<std::string> boxes;  // the control walk names an array element after its array
    for (std::size_t pos = 0; pos < w.control_count(); ++pos)
        if (w.is_text_box(pos))
            boxes.push_back(w.control_name(pos));
    std::vector<std::string> names{"jt", "npi", "vp", "dat", "pst", "uut", "dvt", "crt", "nbt", "cct", "tst", "sst"};
    for (int i = 0; i < 5; ++i)
        names.insert(names.end(), {"rt", "sst", "cdt", "cgt", "tt"});
    EXPECT_EQ(boxes, names);
    EXPECT_EQ(box(w, "nbt")->accessibleName(), "Nb pièces actives");
    EXPECT_EQ(box(w, "rt", 2)->accessibleName(), "Risque, stock 2");
    w.set_caption(pos_of("Etiquette27", 7), "Risk");
    EXPECT_EQ(box(w, "rt", 2)->accessibleName(), "Risk, stock 2");
}

}  // namespace
}  // namespace stk::test
