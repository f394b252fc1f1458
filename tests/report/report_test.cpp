// The justification report: its texts, and the PDF read back with pdftotext.
#include "report/report.h"
#include "report_helpers.h"
#include "temp_files.h"
#include "unprivileged.h"
#include "worked_example.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <algorithm>
#include <string>

namespace fs = std::filesystem;

namespace {

using stk::Field;

using stk::test::read_bytes;
using stk::test::TempDir;
using stk::test::write_bytes;

// Every run of blanks (line ends and no-break spaces included) as one space.
std::string squeezed(const std::string& text)
{
    static const std::regex blanks("(\\s|\xC2\xA0)+");
    return std::regex_replace(text, blanks, " ");
}

#ifdef STK_PDFTOTEXT
// The text of a PDF in drawing order.
std::string pdf_text(const fs::path& pdf)
{
    const fs::path txt = pdf.string() + ".txt";
    const std::string command =
        std::string(STK_PDFTOTEXT) + " -raw -enc UTF-8 '" + pdf.string() + "' '" + txt.string() + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0)
        return {};
    return read_bytes(txt);
}
#endif

int occurrences(const std::string& text, const std::string& part)
{
    int n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++n;
    return n;
}

// The shipped translations, and the worked example's report in one of their languages.
struct Shipped : testing::Test {
    const stk::TradTable table = report_test::shipped_translations();
    stk::ReportContent worked(std::size_t language, std::string separator) const
    {
        return stk::report_content(report_test::worked_example(table, language, std::move(separator)));
    }
};

// The report of empty fields, and a folder for it.
struct EmptyReport : testing::Test {
    const stk::ReportData data{stk::report_content(stk::ReportInputs{}), {}};
    TempDir folder;
    std::string error;
};

TEST_F(Shipped, EveryPhraseIsTranslated)
{
    for (std::string_view phrase :
         {stk::range_phrase::both, stk::range_phrase::from, stk::range_phrase::up_to, stk::range_phrase::none,
          stk::range_phrase::below, stk::range_phrase::above, stk::report_phrase::labelled, stk::report_phrase::title,
          stk::report_phrase::printed_on, stk::report_phrase::reference, stk::report_phrase::description,
          stk::report_phrase::ranges, stk::report_phrase::ranges_note}) {
        const auto row = table.find(phrase);
        ASSERT_TRUE(row) << phrase;
        EXPECT_EQ(table.rows[*row][0], phrase);
        for (std::size_t column : {1u, 2u})
            EXPECT_EQ(stk::translator(table, column)(phrase), table.rows[*row][column]);
    }
    // A phrase the table lacks stays French, and is not learnt.
    EXPECT_EQ(stk::translator(table, 1)("Phrase inconnue"), "Phrase inconnue");
    EXPECT_FALSE(table.find("Phrase inconnue"));
}

TEST_F(Shipped, ReportHoldsTheWorkedExampleAsTheWindowShowsIt)
{
    const stk::ReportContent c = worked(0, ",");
    EXPECT_EQ(c.shown.recommended, "3");
    EXPECT_EQ(c.recommended, 3);
    EXPECT_EQ(c.shown.cell(stk::Line::rt, 1), "534,3407");
    EXPECT_EQ(c.shown.cell(stk::Line::tt, 3), "662,0747");
    ASSERT_EQ(c.company.size(), 2u);
    ASSERT_EQ(c.article.size(), 6u);
    EXPECT_EQ(c.company[1].caption, "Taux de Stockage");
    EXPECT_EQ(c.company[1].unit, "% / mois");
    EXPECT_EQ(c.article[4].caption, "Coût du risque de rupture");
    EXPECT_EQ(c.article[4].value, "500");
    EXPECT_EQ(c.sensitive_value, "Coût du risque de rupture");
    EXPECT_EQ(c.range_texts[std::size_t(Field::crt)],
              "Stock 3 recommandé à partir de 470,2 € / jour, sans limite haute (en deçà\u00a0: 2)");
    EXPECT_EQ(c.series[1], "Risque + Coût direct");
}

TEST_F(Shipped, ReportOfAnUnknownArticleLeavesItsPlacesEmpty)
{
    stk::ReportInputs in = report_test::worked_example(table, 1, ".");
    in.reference = "  ";
    in.description.clear();
    in.most_sensitive.reset();
    const stk::ReportContent c = stk::report_content(in);
    EXPECT_EQ(c.reference, "");
    EXPECT_EQ(c.description, "");
    EXPECT_EQ(c.sensitive_value, "—");
    EXPECT_EQ(c.line_captions[1], "Risk");
    EXPECT_EQ(c.title, "Safety Stock Justification");
    EXPECT_EQ(c.range_texts[std::size_t(Field::crt)],
              "Stock 3 recommended from 470.2 € / day up, no upper limit (below: 2)");
}

TEST_F(EmptyReport, HoldsTheCalculationOfEmptyFields)
{
    const stk::ReportContent& c = data.content;
    EXPECT_EQ(c.shown.recommended, "1");
    EXPECT_EQ(c.shown.cell(stk::Line::tt, 4), "0");
    EXPECT_EQ(c.range_texts[std::size_t(Field::crt)], "Stock 1 recommandé sans limite de -1000 à 1000 € / jour");
}

#ifdef STK_PDFTOTEXT
struct LanguageCase {
    std::size_t language;
    std::string separator;
};
void PrintTo(const LanguageCase& c, std::ostream* os) { *os << "language " << c.language; }

class ReportPdf : public Shipped, public testing::WithParamInterface<LanguageCase> {};

TEST_P(ReportPdf, HoldsEveryFigureAsText)
{
    const stk::ReportData data{worked(GetParam().language, GetParam().separator), {}};
    TempDir folder;
    const fs::path pdf = folder.path / "report.pdf";
    std::string error;
    ASSERT_TRUE(stk::export_pdf(QString::fromStdString(pdf.string()), data, error)) << error;
    EXPECT_EQ(read_bytes(pdf).rfind("%PDF", 0), 0u);
    EXPECT_EQ(occurrences(read_bytes(pdf), "/Type /Page\n") + occurrences(read_bytes(pdf), "/Type /Page\r\n") +
                  occurrences(read_bytes(pdf), "/Type /Page "),
              1);
    const std::string text = squeezed(pdf_text(pdf));
    ASSERT_FALSE(text.empty());

    const std::string& s = GetParam().separator;
    // Risk, direct, management and total of levels 0 to 4, as the window writes them.
    for (std::size_t line = 1; line < stk::line_count; ++line)
        for (const std::string_view shown : stk::worked::cells[line]) {
            std::string cell(shown);
            std::replace(cell.begin(), cell.end(), '.', s[0]);
            EXPECT_NE(text.find(" " + cell + " "), std::string::npos) << cell;
        }
    EXPECT_GE(occurrences(text, " 26549" + s + "06 "), 2);  // risk and total of level 0
    EXPECT_NE(text.find(squeezed(stk::fill(data.content.labelled,
                                           {data.content.recommended_caption, "3 " + data.content.recommended_unit}))),
              std::string::npos);
    for (std::size_t f = 0; f < stk::field_count; ++f)
        EXPECT_NE(text.find(squeezed(data.content.range_texts[f])), std::string::npos)
            << data.content.range_texts[f] << "\n in \n"
            << text;
    EXPECT_NE(text.find(data.content.sensitive_value), std::string::npos);
    EXPECT_NE(text.find(data.content.title), std::string::npos);
    EXPECT_NE(text.find("RLT-6204-2RS"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Languages, ReportPdf,
                         testing::Values(LanguageCase{0, ","}, LanguageCase{1, "."}, LanguageCase{2, ","}));
#endif

// Run as the unprivileged user: the superuser may write any file.
TEST_F(EmptyReport, AFileTheUserMayNotWriteIsLeftAsItIs)
{
    const fs::path pdf = folder.path / "kept.pdf";
    write_bytes(pdf, "earlier report");
    stk::test::give_to_user(folder.path);
    stk::test::give_to_user(pdf);
    fs::permissions(pdf, fs::perms::owner_read);
    EXPECT_AS_USER([&] {
        return !stk::export_pdf(QString::fromStdString(pdf.string()), data, error) &&
               error.find("read-only") != std::string::npos;
    });
    EXPECT_EQ(read_bytes(pdf), "earlier report");
}

TEST_F(EmptyReport, AFailedExportLeavesNothingBehind)
{
    EXPECT_FALSE(stk::export_pdf(QString::fromStdString((folder.path / "missing" / "r.pdf").string()), data, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(error.find('\n'), std::string::npos);
    fs::create_directory(folder.path / "taken.pdf");
    error.clear();
    EXPECT_FALSE(stk::export_pdf(QString::fromStdString((folder.path / "taken.pdf").string()), data, error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_directory(folder.path / "taken.pdf"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()), 1);
}

TEST_F(EmptyReport, ReplacesAnEarlierReport)
{
    const fs::path pdf = folder.path / "r.pdf";
    write_bytes(pdf, "earlier report");
    ASSERT_TRUE(stk::export_pdf(QString::fromStdString(pdf.string()), data, error)) << error;
    EXPECT_EQ(read_bytes(pdf).rfind("%PDF", 0), 0u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()), 1);
}

TEST_F(Shipped, APrinterGetsTheSamePage)
{
    const stk::ReportData data{worked(0, ","), {}};
    TempDir folder;
    const fs::path pdf = folder.path / "printed.pdf";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
    stk::prepare_printer(printer, data);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
    ASSERT_TRUE(stk::print_report(printer, data));
#ifdef STK_PDFTOTEXT
    const std::string text = squeezed(pdf_text(pdf));
    EXPECT_NE(text.find(" 0,07472568 "), std::string::npos);
    EXPECT_NE(text.find(squeezed(data.content.range_texts[std::size_t(Field::dat)])), std::string::npos);
#endif
}

TEST(ReportChart, AnInjectedDrawerPaintsInsideThePage)
{
    stk::ReportData data{stk::report_content(stk::ReportInputs{}), {}};
    QRectF given;
    data.draw_chart = [&](QPainter& painter, const QRectF& area) {
        given = painter.transform().mapRect(area);
        painter.fillRect(area, Qt::green);
    };
    QImage page(420, 594, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        stk::paint_report(painter, QRectF(10, 10, 400, 574), data);
    }
    ASSERT_FALSE(given.isEmpty());
    EXPECT_TRUE(QRectF(10, 10, 400, 574).contains(given)) << given.x() << " " << given.y();
    EXPECT_EQ(page.pixelColor(given.center().toPoint()), QColor(Qt::green));
}

// The default chart: bars in the three series' colours, the level-0 bars cut
// and their amount written above the plot.
TEST_F(Shipped, ReportChartDrawsTheThreeSeries)
{
    const stk::ReportContent c = worked(0, ",");
    QImage image(600, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        stk::paint_bar_chart_in(painter, QRectF(0, 0, 600, 400), stk::chart_content(c));
    }
    int counts[3] = {0, 0, 0};
    const QColor colours[3] = {QColor(0xD5, 0x5E, 0x00), QColor(0xE6, 0x9F, 0x00), QColor(0x00, 0x72, 0xB2)};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            for (int s = 0; s < 3; ++s)
                counts[s] += image.pixelColor(x, y) == colours[s];
    // The totals of levels 1 to 4 (662 to 866) are far taller than the risks of levels 3 and 4.
    EXPECT_GT(counts[2], counts[0]);
    for (int n : counts)
        EXPECT_GT(n, 500);
}

}  // namespace
