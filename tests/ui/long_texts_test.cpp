// Captions and values far longer than any designed one: the window starts, shows what
// fits, and keeps every character in its files.
#include "temp_files.h"
#include "window_helpers.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>

namespace stk::test {
namespace {

constexpr std::size_t megabyte = 1 << 20;

// A caption of a megabyte for a series, in the language shown, before the shipped rows.
TEST(LongCaption, IsShownCutButKeptWhole)
{
    TempDir dir;
    const std::string long_risk(megabyte, 'X'), row = "Risque\t" + long_risk + "\tRisco\r\n";
    write_bytes(dir / "trad_stk_secu.txt", row + read_bytes(STK_DATA_DIR "/trad_stk_secu.txt"));
    write_bytes(dir / "param_stk_secu.txt", "da_stk_secu\tlangue\t1\r\n");
    std::ostringstream diag;
    {
        MainWindow w(dir.path, diag);
        EXPECT_TRUE(w.model().caption(pos_of("Etiquette27", 7)) == long_risk) << "the caption is cut";
        const QString legend = chart(w)->current_layout().legend[0];
        EXPECT_LT(legend.size(), 100);
        EXPECT_TRUE(legend.startsWith("XXX") && legend.endsWith(QChar(0x2026))) << legend.toStdString();
        // What a screen reader hears names each of the 15 bars by a bounded caption.
        EXPECT_LT(read_aloud(w.control("g"), QAccessible::Description).size(), 16 * BarChartContent::caption_limit);
        const auto* label = qobject_cast<QLabel*>(w.control("Etiquette27", 7));
        EXPECT_LE(label->text().size(), label->width() + 1) << "the label holds more than it can show";
        w.close();
    }
    EXPECT_TRUE(read_bytes(dir / "trad_stk_secu.txt").starts_with(row)) << "the row is cut in the file";
    EXPECT_EQ(diag.str(), "");
}

// A value of a megabyte read from the file, and one pasted, survive start and close.
TEST(LongValue, SurvivesARestartByteForByte)
{
    TempDir dir;
    const std::string long_order(megabyte, '7'), long_pasted(megabyte, 'n');
    write_bytes(dir / "param_stk_secu.txt", "da_stk_secu\tcct\t" + long_order + "\r\n");
    std::ostringstream diag;
    {
        MainWindow w(dir.path, diag);
        EXPECT_EQ(box(w, "cct")->text().size(), qsizetype(megabyte));
        QGuiApplication::clipboard()->setText(QString::fromStdString(long_pasted));
        box(w, "vp")->paste();
        EXPECT_EQ(box(w, "vp")->text().size(), qsizetype(megabyte));
        w.close();
    }
    const std::string saved = read_bytes(dir / "param_stk_secu.txt");
    EXPECT_NE(saved.find("da_stk_secu\tcct\t" + long_order + "\r\n"), std::string::npos) << "cct is cut";
    EXPECT_NE(saved.find("da_stk_secu\tvp\t" + long_pasted + "\r\n"), std::string::npos) << "vp is cut";
    EXPECT_EQ(diag.str(), "");
}

}  // namespace
}  // namespace stk::test
