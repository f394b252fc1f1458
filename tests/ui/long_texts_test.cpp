// Captions and values far longer than any designed one: the window starts, shows what
// fits, and keeps every character in its files.
#include "window_helpers.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>

namespace stk::test {
namespace {

constexpr qsizetype megabyte = 1 << 20;

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// A caption of a megabyte for a series, in the language shown, before the shipped rows.
TEST(LongCaption, StartsShowsWhatFitsAndKeepsItWhole)
{
    QTemporaryDir dir;
    const QByteArray long_risk(megabyte, 'X');
    const QByteArray row = "Risque\t" + long_risk + "\tRisco\r\n";
    write(dir.filePath("trad_stk_secu.txt"), row + read(STK_DATA_DIR "/trad_stk_secu.txt"));
    write(dir.filePath("param_stk_secu.txt"), "da_stk_secu\tlangue\t1\r\n");
    std::ostringstream diag;
    {
        MainWindow w(dir.path().toStdString(), diag);
        EXPECT_TRUE(w.model().caption(pos_of("Etiquette27", 7)) == long_risk.toStdString()) << "the caption is cut";
        const QString legend = chart(w)->current_layout().legend[0];
        EXPECT_LT(legend.size(), 100);
        EXPECT_TRUE(legend.startsWith("XXX") && legend.endsWith(QChar(0x2026))) << legend.toStdString();
        // What a screen reader hears names each of the 15 bars by a bounded caption.
        EXPECT_LT(read_aloud(w.control("g"), QAccessible::Description).size(), 16 * BarChartContent::caption_limit);
        const auto* label = qobject_cast<QLabel*>(w.control("Etiquette27", 7));
        EXPECT_LE(label->text().size(), label->width() + 1) << "the label holds more than it can show";
        w.close();
    }
    EXPECT_TRUE(read(dir.filePath("trad_stk_secu.txt")).startsWith(row)) << "the row is cut in the file";
    EXPECT_EQ(diag.str(), "");
}

// A value of a megabyte read from the file, and one pasted, survive start and close.
TEST(LongValue, SurvivesStartAndCloseByteForByte)
{
    QTemporaryDir dir;
    const QByteArray long_order(megabyte, '7');
    const QString long_pasted(megabyte, u'n');
    write(dir.filePath("param_stk_secu.txt"), "da_stk_secu\tcct\t" + long_order + "\r\n");
    std::ostringstream diag;
    {
        MainWindow w(dir.path().toStdString(), diag);
        EXPECT_EQ(box(w, "cct")->text().size(), megabyte);
        QGuiApplication::clipboard()->setText(long_pasted);
        box(w, "vp")->paste();
        EXPECT_EQ(box(w, "vp")->text().size(), megabyte);
        w.close();
    }
    const QByteArray saved = read(dir.filePath("param_stk_secu.txt"));
    EXPECT_TRUE(saved.contains("da_stk_secu\tcct\t" + long_order + "\r\n")) << "cct is cut";
    EXPECT_TRUE(saved.contains("da_stk_secu\tvp\t" + long_pasted.toLatin1() + "\r\n")) << "vp is cut";
    EXPECT_EQ(diag.str(), "");
}

}  // namespace
}  // namespace stk::test
