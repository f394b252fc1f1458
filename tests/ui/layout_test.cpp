// Where the controls are, the order the keyboard visits them, what screen readers hear, and how the window's own
// style draws them.
#include "ui/flat_style.h"
#include "ui/theme.h"
#include "ui/widgets.h"
#include "window_helpers.h"

#include <QAccessible>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QGroupBox>
#include <QGuiApplication>
#include <QProxyStyle>
#include <QPushButton>
#include <QRawFont>
#include <QStyleFactory>
#include <QTextLayout>
#include <array>
#include <memory>
#include <optional>
#include <string>

namespace stk::test {
namespace {

// A control, its container (empty: the client area) and its place in pixels.
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
    EXPECT_EQ(w.control(name, index)->parentWidget(), *container ? w.control(container) : w.centralWidget());
}

INSTANTIATE_TEST_SUITE_P(Controls, Layout,
                         ::testing::Values(Placement{"tt2", "tt", 2, "Frame1", {372, 114, 73, 19}},
                                           Placement{"Command1", "Command1", -1, "Frame4", {304, 126, 25, 25}},
                                           Placement{"ln1", "ln", 1, "", {888, 436, 32, 22}}),
                         case_name);

TEST_F(Window, ClientAreaFillsTheWindow)
{
    w.show();
    EXPECT_EQ(w.size(), QSize(929, 495));
    EXPECT_EQ(w.centralWidget()->geometry(), QRect(0, 0, 929, 495));
}

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

TEST_F(Window, KeyboardVisitsFieldsResultsButtonsThenLinks)
{
    w.show();
    std::vector<std::string> expected{"nbt", "dat", "pst", "uut", "dvt", "crt", "cct", "tst"};
    for (int i = 0; i < 5; ++i)
        for (const char* line : {"sst", "rt", "cdt", "cgt", "tt"})
            expected.push_back(std::string(line) + "(" + std::to_string(i) + ")");
    expected.insert(expected.end(), {"sst(5)", "g", "Command1", "validation", "Picture2", "Command4", "site_web",
                                     "email_sup", "ln(0)", "ln(1)", "ln(2)", "commands"});
    EXPECT_EQ(tab_walk(w.control("nbt")), expected);
}

TEST_F(Window, KeyboardVisitsOnlyTheAssistantWhileItIsOpen)
{
    w.show();
    click(w, "Command1");
    EXPECT_EQ(tab_walk(w.control("g")),
              (std::vector<std::string>{"g", "validation", "Picture2", "vp", "npi", "Command2", "Command3", "jt",
                                        "site_web", "email_sup", "ln(0)", "ln(1)", "ln(2)", "commands"}));
}

TEST_F(Window, TextBoxNamesFollowTheirCaption)
{
    EXPECT_EQ(box(w, "nbt")->accessibleName(), "Nb pièces actives");
    EXPECT_EQ(box(w, "rt", 2)->accessibleName(), "Risque, stock 2");
    w.model().set_caption(pos_of("Etiquette27", 7), "Risk");
    EXPECT_EQ(box(w, "rt", 2)->accessibleName(), "Risk, stock 2");
}

TEST_F(Window, IsAnApplicationWindowNamedByItsTitle)
{
    w.show();
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&w);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), "Vexa - Calcul Stock de Sécurité pour Equipements de Maintenance");
}

TEST_F(Window, AnalysisButtonFaceIsAGradient)
{
    w.show();
    const QImage face = w.control("Command4")->grab().toImage();
    const QColor top = face.pixelColor(face.width() / 4, 2),
                 bottom = face.pixelColor(face.width() / 4, face.height() - 3);
    EXPECT_GT(top.lightness(), bottom.lightness());
    EXPECT_NEAR(top.red(), 0xFF, 2);
    EXPECT_NEAR(top.blue(), 0xFA, 8);
    EXPECT_NEAR(bottom.green(), 0xE5, 8);
    EXPECT_NEAR(bottom.blue(), 0xD0, 8);
}

// A group box's frame, drawn from the pixels taken when the program was built, is the one Fusion draws itself:
// titled or not, filling its background (in the style's colour or its own) or not, taken as a picture or drawn
// onto an image of one of the screen's formats.
struct FrameCase {
    const char* title;
    bool filled;
    QColor background;                    // invalid: the style's
    std::optional<QImage::Format> image;  // none: taken as a picture
    bool enabled = true;
};

class FrameLook : public ::testing::TestWithParam<FrameCase> {};

TEST_P(FrameLook, IsFusionsOwn)
{
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    const auto drawn = [](QStyle* style) {
        const FrameCase& look = GetParam();
        QGroupBox box(QString::fromUtf8(look.title));
        box.setStyle(style);
        box.setAutoFillBackground(look.filled);
        box.setEnabled(look.enabled);
        if (look.background.isValid()) {
            QPalette palette = box.palette();
            palette.setColor(QPalette::Window, look.background);
            box.setPalette(palette);
        }
        box.resize(300, 120);
        if (!look.image)
            return box.grab().toImage();
        QImage image(box.size(), *look.image);
        image.fill(QColor(0x20, 0x90, 0x40));  // what a box that does not fill its background lies over
        box.render(&image);
        return image;
    };
    EXPECT_EQ(drawn(ui::FlatStyle::instance()), drawn(fusion.get()));
}

INSTANTIATE_TEST_SUITE_P(
    Looks, FrameLook,
    ::testing::Values(FrameCase{"Paramètres Article", false, {}, std::nullopt}, FrameCase{"", false, {}, std::nullopt},
                      FrameCase{"Paramètres Article", true, {}, std::nullopt},
                      FrameCase{"Paramètres Article", true, {}, QImage::Format_RGB32},
                      FrameCase{"Paramètres Article", true, {}, QImage::Format_ARGB32_Premultiplied},
                      FrameCase{"", true, QColor(0xFF, 0xE0, 0xC0), QImage::Format_RGB32},
                      FrameCase{"Résultat calculé", true, QColor(0x30, 0x30, 0x38),
                                QImage::Format_ARGB32_Premultiplied},
                      FrameCase{"Paramètres Article", false, {}, QImage::Format_RGB32},
                      FrameCase{"Paramètres Société", true, {}, QImage::Format_RGB32, false}));

// Each font of the window is the one the designed sans serif and its
// equivalents give, and the first family it names is the one drawn.
class WindowFont : public ::testing::TestWithParam<ui::FontRole> {};

TEST_P(WindowFont, IsTheFirstEquivalentInstalled)
{
    const QFont font = ui::font_for(GetParam());
    QFont designed = font;
    designed.setFamilies(
        {"Microsoft Sans Serif", "Liberation Sans", "Arimo", "Arial", "Nimbus Sans", "Helvetica", "DejaVu Sans"});
    EXPECT_EQ(QFontInfo(font).family(), QFontInfo(designed).family());
    EXPECT_EQ(QFontInfo(font).family(), font.families().value(0));
    EXPECT_EQ(QFontInfo(font).pixelSize(), QFontInfo(designed).pixelSize());
}

INSTANTIATE_TEST_SUITE_P(Roles, WindowFont,
                         ::testing::Values(ui::FontRole::normal, ui::FontRole::title12, ui::FontRole::big,
                                           ui::FontRole::link),
                         [](const ::testing::TestParamInfo<ui::FontRole>& role) {
                             return std::string(std::array{"normal", "title12", "big", "link"}[int(role.param)]);
                         });

// Making the window leaves the application the desktop's font, and the window
// takes the desktop's new font for the application when the desktop changes.
TEST(DesktopFont, StaysTheApplicationsAndFollowsTheDesktop)
{
    const QFont desktop = QGuiApplication::font();
    Fresh fresh;
    ASSERT_NE(fresh.w.font(), desktop);
    EXPECT_EQ(QGuiApplication::font(), desktop);
    QGuiApplication::setFont(QFont(QStringLiteral("Serif"), 21));  // the desktop's font before the change
    QEvent change(QEvent::ThemeChange);
    QApplication::sendEvent(&fresh.w, &change);
    EXPECT_EQ(QGuiApplication::font(), QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    QGuiApplication::setFont(desktop);
}

// A character missing from the window's family is drawn from another one.
struct Script {
    QFontDatabase::WritingSystem system;
    const char* letter;
};

class FontFallback : public ::testing::TestWithParam<Script> {};

TEST_P(FontFallback, DrawsALetterTheFamilyLacks)
{
    const QFont font = ui::font_for(ui::FontRole::normal);
    const QString letter = QString::fromUtf8(GetParam().letter);
    if (QRawFont::fromFont(font).supportsCharacter(letter.at(0)))
        GTEST_SKIP() << "the window's family has it";
    if (QFontDatabase::families(GetParam().system).isEmpty())
        GTEST_SKIP() << "no family of this desktop has it";
    QTextLayout layout(letter, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    ASSERT_EQ(runs.size(), 1);
    EXPECT_NE(runs[0].rawFont().familyName(), QFontInfo(font).family());
    EXPECT_TRUE(runs[0].rawFont().supportsCharacter(letter.at(0)));
}

INSTANTIATE_TEST_SUITE_P(Scripts, FontFallback,
                         ::testing::Values(Script{QFontDatabase::Armenian, "Ա"}, Script{QFontDatabase::Georgian, "ა"},
                                           Script{QFontDatabase::Arabic, "ب"}));

// A style that hides passwords behind '#'.
class HashPasswords : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override
    {
        return hint == SH_LineEdit_PasswordCharacter ? '#' : QProxyStyle::styleHint(hint, option, widget, data);
    }
};

struct Echo {
    QLineEdit::EchoMode mode;
    const char* shown;
};

class TextBoxStyle : public ::testing::TestWithParam<Echo> {};

TEST_P(TextBoxStyle, ShowsTheTextAsTheEchoModeSaysUnderANewStyle)
{
    HashPasswords style;
    ui::TextBox box;
    box.setEchoMode(GetParam().mode);
    box.setText(QStringLiteral("12,5"));
    box.setStyle(&style);
    EXPECT_EQ(box.displayText(), QString::fromUtf8(GetParam().shown));
    EXPECT_EQ(box.text(), QStringLiteral("12,5"));
}

INSTANTIATE_TEST_SUITE_P(Modes, TextBoxStyle,
                         ::testing::Values(Echo{QLineEdit::Normal, "12,5"}, Echo{QLineEdit::Password, "####"},
                                           Echo{QLineEdit::NoEcho, ""}));

TEST_F(Window, SmallPicturesAreTwentyFourPixels)
{
    for (const char* name : {"Command1", "Command2", "Command3"})
        EXPECT_EQ(qobject_cast<QPushButton*>(w.control(name))->iconSize(), QSize(24, 24)) << name;
}

}  // namespace
}  // namespace stk::test
