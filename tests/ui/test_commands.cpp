// Clear, quit, the links, carriage returns and what the analysis tools are given.
#include "window_helpers.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QGroupBox>
#include <QSignalSpy>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <gtest/gtest.h>

namespace stk::test {
namespace {

TEST(Clear, EmptiesEveryTextBoxAndKeepsPanelColoursAndTimer)
{
    Fresh fresh;
    da_stk_secu& w = fresh.w;
    type_worked_example(w);
    w.set_assistant_text(AssistantField::vp, "10");
    w.set_assistant_text(AssistantField::npi, "4");
    w.set_assistant_text(AssistantField::jt, "200");
    w.show_assistant(true);
    w.set_highlight(Field::dat, true);
    w.set_timer_interval(500);

    QTest::mouseClick(w.control("Picture2"), Qt::LeftButton);

    std::size_t boxes = 0;
    for (std::size_t pos = 0; pos < w.control_count(); ++pos)
        if (w.is_text_box(pos)) {
            ++boxes;
            EXPECT_EQ(w.text(pos), "") << w.control_name(pos);
        }
    EXPECT_EQ(boxes, 37u);
    EXPECT_TRUE(w.control("aide_r")->isVisibleTo(&w));
    EXPECT_EQ(box(w, "dat")->palette().color(QPalette::Base), QColor(0xFF, 0xE0, 0xC0));
    EXPECT_TRUE(w.timer()->isActive());
}

// Records what the desktop is asked to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher()
    {
        for (const char* scheme : {"http", "https", "mailto"})
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~UrlCatcher() override
    {
        for (const char* scheme : {"http", "https", "mailto"})
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

struct LinkCase {
    const char* link;
    const char* caption;  // null: as designed
    const char* opened;
};

class Links : public ::testing::TestWithParam<LinkCase> {};

TEST_P(Links, HandTheirAddressToTheDesktop)
{
    Fresh fresh;
    da_stk_secu& w = fresh.w;
    UrlCatcher catcher;
    const LinkCase& c = GetParam();
    if (c.caption)
        w.set_caption(static_cast<std::size_t>(ui::find_control(c.link)), c.caption);
    QTest::mouseClick(w.control(c.link), Qt::LeftButton);
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened[0], QUrl(c.opened));
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, Links,
    ::testing::Values(LinkCase{"site_web", nullptr, "http://www.example.com"},
                      LinkCase{"email_sup", nullptr, "mailto:support@example.com"},
                      LinkCase{"site_web", "www.example.com   ", "http://www.example.com"},
                      LinkCase{"email_sup", "Contact us", "mailto:support@example.com"}));

TEST(WebEmailOpen, TrimsSpacesOnly)
{
    UrlCatcher catcher;
    da_stk_secu::WebEmailOpen("  mailto:a@example.com  ");
    da_stk_secu::WebEmailOpen("http://example.com/a\t");
    ASSERT_EQ(catcher.opened.size(), 2);
    EXPECT_EQ(catcher.opened[0], QUrl("mailto:a@example.com"));
    EXPECT_EQ(catcher.opened[1], QUrl("http://example.com/a\t"));
}

class Quit : public ::testing::TestWithParam<std::function<void(da_stk_secu&)>> {};

TEST_P(Quit, RunsTheShutDownOnceAndClosesTheWindow)
{
    Fresh fresh;
    da_stk_secu& w = fresh.w;
    w.show();
    QSignalSpy unloaded(&w, &da_stk_secu::unloaded);
    GetParam()(w);
    EXPECT_EQ(unloaded.count(), 1);
    EXPECT_FALSE(w.isVisible());
    w.close();
    EXPECT_EQ(unloaded.count(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, Quit,
    ::testing::Values([](da_stk_secu& w) { QTest::mouseClick(w.control("validation"), Qt::LeftButton); },
                      [](da_stk_secu& w) { w.close(); }));

using Insert = std::function<void(da_stk_secu&, const QString&)>;
class CarriageReturns : public ::testing::TestWithParam<Insert> {};

TEST_P(CarriageReturns, NeverReachATextBox)
{
    Fresh fresh;
    da_stk_secu& w = fresh.w;
    QSignalSpy changes(box(w, "nbt"), &QLineEdit::textChanged);
    GetParam()(w, QStringLiteral("56\r\n78"));
    EXPECT_EQ(box(w, "nbt")->text(), "56\n78");
    for (const QList<QVariant>& change : changes)
        EXPECT_FALSE(change.at(0).toString().contains(u'\r'));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, CarriageReturns,
    ::testing::Values(
        [](da_stk_secu& w, const QString& t) { box(w, "nbt")->setText(t); },
        [](da_stk_secu& w, const QString& t) { box(w, "nbt")->insert(t); },
        [](da_stk_secu& w, const QString& t) { w.set_field_text(Field::nbt, t.toStdString()); },
        [](da_stk_secu& w, const QString& t) {
            w.set_text(static_cast<std::size_t>(ui::find_control("nbt")), t.toStdString());
        },
        [](da_stk_secu& w, const QString& t) {
            QApplication::clipboard()->setText(t);
            box(w, "nbt")->paste();
        }));

TEST(AnalysisForm, HighlightsAFieldAndRestoresItsNormalBackground)
{
    Fresh fresh;
    da_stk_secu& w = fresh.w;
    const QColor normal = box(w, "pst")->palette().color(QPalette::Base);
    w.set_highlight(Field::pst, true);
    EXPECT_EQ(box(w, "pst")->palette().color(QPalette::Base), QColor(0xFF, 0xE0, 0xC0));
    const QImage drawn = box(w, "pst")->grab().toImage();
    EXPECT_EQ(drawn.pixelColor(drawn.width() / 2, drawn.height() / 2), QColor(0xFF, 0xE0, 0xC0));
    w.set_highlight(Field::pst, false);
    EXPECT_EQ(box(w, "pst")->palette().color(QPalette::Base), normal);
    const QImage restored = box(w, "pst")->grab().toImage();
    EXPECT_EQ(restored.pixelColor(restored.width() / 2, restored.height() / 2), normal);
}

TEST(AnalysisForm, DrivesTheTimerTheAssistantAndTheFrames)
{
    Fresh fresh;
    da_stk_secu& w = fresh.w;
    EXPECT_FALSE(w.timer()->isActive());
    w.set_timer_interval(500);
    EXPECT_TRUE(w.timer()->isActive());
    EXPECT_EQ(w.timer()->interval(), 500);
    w.set_timer_interval(0);
    EXPECT_FALSE(w.timer()->isActive());

    w.show_assistant(true);
    w.enable_frames(false);
    for (const char* frame : {"Frame1", "Frame2", "Frame3", "Frame4"})
        EXPECT_FALSE(w.control(frame)->isEnabled()) << frame;
    EXPECT_FALSE(box(w, "crt")->isEnabled());
    EXPECT_TRUE(box(w, "vp")->isEnabled());
    w.set_assistant_text(AssistantField::jt, "200");
    EXPECT_EQ(w.assistant_text(AssistantField::jt), "200");
    EXPECT_EQ(box(w, "jt")->text(), "200");
}

}  // namespace
}  // namespace stk::test

#include "test_commands.moc"
