// The CSV reader and writer on the files people really have.
#include "csv/csv.h"
#include "temp_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using Records = std::vector<std::vector<std::string>>;

struct Parsed {
    Records records;
    std::vector<std::size_t> lines;
    std::vector<std::string> raw;
    std::vector<bool> closed;
};

Parsed read_all(stk::csv::Reader& reader)
{
    Parsed out;
    stk::csv::Row row;
    while (reader.next(row)) {
        out.records.emplace_back(row.fields.begin(), row.fields.end());
        out.lines.push_back(row.line);
        out.raw.emplace_back(row.raw);
        out.closed.push_back(row.closed);
    }
    EXPECT_EQ(reader.error(), "");
    return out;
}

Parsed parse(const std::string& text, std::optional<char> separator = std::nullopt)
{
    std::string error;
    auto reader = stk::csv::Reader::from_string(text, {separator}, error);
    EXPECT_TRUE(reader) << error;
    return reader ? read_all(*reader) : Parsed{};
}

struct ParseCase {
    const char* name;
    std::string text;
    Records records;
    std::vector<std::size_t> lines;
    std::optional<char> separator = std::nullopt;  // none: told from the header
};
void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

class Parsing : public testing::TestWithParam<ParseCase> {};

TEST_P(Parsing, GivesEachRecordWithItsLine)
{
    const Parsed p = parse(GetParam().text, GetParam().separator);
    EXPECT_EQ(p.records, GetParam().records);
    EXPECT_EQ(p.lines, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Rfc4180, Parsing,
    testing::Values(ParseCase{"crlf", "a,b\r\n1,2\r\n", {{"a", "b"}, {"1", "2"}}, {1, 2}},
                    ParseCase{"lf and no last line end", "a,b\n1,2", {{"a", "b"}, {"1", "2"}}, {1, 2}},
                    ParseCase{"lone cr", "a,b\r1,2\r", {{"a", "b"}, {"1", "2"}}, {1, 2}},
                    ParseCase{"quoted separator", "a,b\n\"x,y\",2\n", {{"a", "b"}, {"x,y", "2"}}, {1, 2}},
                    ParseCase{"doubled quotes", "a\n\"say \"\"hi\"\"\"\n", {{"a"}, {"say \"hi\""}}, {1, 2}},
                    ParseCase{"line breaks in quotes",
                              "a,b\n\"one\r\ntwo\nthree\",2\nlast,3\n",
                              {{"a", "b"}, {"one\r\ntwo\nthree", "2"}, {"last", "3"}},
                              {1, 2, 5}},
                    ParseCase{"empty fields", ",,\n,x,\n", {{"", "", ""}, {"", "x", ""}}, {1, 2}},
                    ParseCase{"blanks kept", " a , b \n", {{" a ", " b "}}, {1}},
                    ParseCase{"blank line", "a\n\nb\n", {{"a"}, {}, {"b"}}, {1, 2, 3}},
                    ParseCase{"empty quoted field", "\"\",x\n", {{"", "x"}}, {1}},
                    ParseCase{"text after a closing quote", "\"ab\"c,d\n", {{"abc", "d"}}, {1}},
                    ParseCase{"quote inside an unquoted field", "ab\"c,d\n", {{"ab\"c", "d"}}, {1}},
                    ParseCase{"unclosed quote takes the rest", "a,\"b\nc\n", {{"a", "b\nc\n"}}, {1}},
                    ParseCase{"forced separator wins", "a;b,c\n", {{"a;b", "c"}}, {1}, ','}));

TEST(Reader, KeepsEachRecordsSourceText)
{
    const Parsed p = parse("a;\"b;c\";\"d\"\"\"\r\nx;\"open\n");
    ASSERT_EQ(p.raw.size(), 2u);
    EXPECT_EQ(p.raw[0], "a;\"b;c\";\"d\"\"\"");
    EXPECT_TRUE(p.closed[0]);
    EXPECT_FALSE(p.closed[1]);
}

// A file's first bytes, the separator, encoding and byte-order mark told from them, and the first field in UTF-8.
struct FormatCase {
    const char* name;
    std::string bytes;
    char separator;
    stk::csv::Encoding encoding;
    bool bom;
    std::string header_utf8;
};
void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.name; }
class Format : public testing::TestWithParam<FormatCase> {};

TEST_P(Format, IsToldFromTheBytes)
{
    std::string error;
    auto reader = stk::csv::Reader::from_string(GetParam().bytes, {}, error);
    ASSERT_TRUE(reader) << error;
    EXPECT_EQ(reader->format().separator, GetParam().separator);
    EXPECT_EQ(reader->format().encoding, GetParam().encoding);
    EXPECT_EQ(reader->format().bom, GetParam().bom);
    stk::csv::Row row;
    EXPECT_EQ(reader->next(row) ? reader->to_utf8(row[0]) : "<none>", GetParam().header_utf8);
}

constexpr auto utf8 = stk::csv::Encoding::utf8, cp1252 = stk::csv::Encoding::cp1252;

INSTANTIATE_TEST_SUITE_P(
    Files, Format,
    testing::Values(FormatCase{"most frequent in the header", "a,b,c\n1;2\n", ',', utf8, false, "a"},
                    FormatCase{"semicolons", "a;b;c\n", ';', utf8, false, "a"},
                    FormatCase{"tabs", "a\tb\tc\n", '\t', utf8, false, "a"},
                    FormatCase{"not inside quotes", "\"x,y,z\";b\n", ';', utf8, false, "x,y,z"},
                    FormatCase{"semicolon on a tie with comma", "a,b;c\n", ';', utf8, false, "a,b"},
                    FormatCase{"tab on a tie with comma", "a\tb,c\n", '\t', utf8, false, "a"},
                    FormatCase{"single field", "single\n", ',', utf8, false, "single"},
                    FormatCase{"empty", "", ',', utf8, false, "<none>"},
                    FormatCase{"utf8", "Durée;x\n", ';', utf8, false, "Durée"},
                    FormatCase{"utf8 bom", "\xEF\xBB\xBFPrix;x\n", ';', utf8, true, "Prix"},
                    FormatCase{"windows-1252",
                               "Dur\xE9"
                               "e;\x80\n",
                               ';', cp1252, false, "Durée"},
                    FormatCase{"ascii", "nbt;dat\n", ';', utf8, false, "nbt"},
                    FormatCase{"truncated utf8 is 1252", "ab\xC3", ',', cp1252, false, "abÃ"}));

TEST(Reader, RefusesUtf16AndBinaryFilesWithAReason)
{
    for (const std::string& bytes : {std::string("\xFF\xFEn\0b\0", 6), std::string("PK\x03\x04\0\0", 6)}) {
        std::string error;
        EXPECT_FALSE(stk::csv::Reader::from_string(bytes, {}, error));
        EXPECT_FALSE(error.empty());
    }
}

TEST(Reader, MissingFileGivesOneLineWhy)
{
    std::string error;
    EXPECT_FALSE(stk::csv::Reader::open("/nonexistent/list.csv", {}, error));
    EXPECT_NE(error.find("/nonexistent/list.csv"), std::string::npos);
    EXPECT_EQ(error.find('\n'), std::string::npos);
}

// A file much larger than the reader's buffer, with records of every shape
// across the buffer's edges, reads as the same text held in memory.
TEST(Reader, StreamsAFileAsItReadsTheSameText)
{
    std::string text = "id;text;n\r\n";
    for (int i = 0; i < 60000; ++i) {
        text += std::to_string(i) + ";";
        if (i % 3 == 0)
            text += "\"quoted; \"\"with\"\"\r\nbreak " + std::string(static_cast<std::size_t>(i % 50), 'x') + "\"";
        else
            text += std::string(static_cast<std::size_t>(i % 70), 'y');
        text += ";" + std::to_string(i * 7) + "\r\n";
    }
    const stk::test::TempDir dir;
    const auto file = dir / "stream.csv";
    stk::test::write_bytes(file, text);
    std::string error;
    auto from_file = stk::csv::Reader::open(file, {}, error);
    ASSERT_TRUE(from_file) << error;
    const Parsed streamed = read_all(*from_file);
    const Parsed held = parse(text);
    ASSERT_EQ(streamed.records.size(), 60001u);
    EXPECT_EQ(streamed.records, held.records);
    EXPECT_EQ(streamed.lines, held.lines);
    EXPECT_EQ(streamed.lines.back(), 60001u + 20000u);
}

// A Windows-1252 letter far beyond the first megabytes still makes the file
// Windows-1252; a UTF-8 letter cut by the reader's chunks does not.
TEST(Reader, TellsTheEncodingOfAFileFromAllOfIt)
{
    const stk::test::TempDir dir;
    const auto file = dir / "encoding.csv";
    // The reader reads 1 MB at a time: the letter falls on either side of, and
    // across, the edge at 5 MB.
    std::string ascii = "ref;text\n";
    while (ascii.size() < (5u << 20) - 4)
        ascii += "A-0001;plain text of an article\n";
    ascii.resize((5u << 20) - 4);
    for (const auto& [tail, encoding] : {std::pair{std::string("\xE9"
                                                               "e\n"),
                                                   stk::csv::Encoding::cp1252},
                                         std::pair{std::string("é\n"), stk::csv::Encoding::utf8}})
        for (std::size_t shift = 0; shift < 6; ++shift) {
            stk::test::write_bytes(file, ascii + std::string(shift, 'x') + tail);
            std::string error;
            auto reader = stk::csv::Reader::open(file, {}, error);
            ASSERT_TRUE(reader) << error;
            EXPECT_EQ(reader->format().encoding, encoding) << tail << shift;
        }
}

// Records written with ';', the bytes written, and the same records read back.
struct WriteCase {
    const char* name;
    Records records;
    std::string bytes;
};
void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class Writer : public testing::TestWithParam<WriteCase> {};

TEST_P(Writer, QuotesOnlyWhatNeedsIt)
{
    stk::csv::Format format;
    format.separator = ';';
    stk::csv::Writer writer(format);
    for (const auto& record : GetParam().records) {
        for (const auto& f : record)
            writer.field(f);
        writer.end_row();
    }
    EXPECT_EQ(writer.buffer(), GetParam().bytes);
    EXPECT_EQ(parse(writer.buffer(), ';').records, GetParam().records);
}

INSTANTIATE_TEST_SUITE_P(
    Records, Writer,
    testing::Values(WriteCase{"quotes",
                              {{"plain", "a;b", "say \"hi\"", "two\r\nlines", "", "1,5"}},
                              "plain;\"a;b\";\"say \"\"hi\"\"\";\"two\r\nlines\";;1,5\r\n"},
                    // A record of one empty field is not a blank line.
                    WriteCase{"one empty field", {{""}, {}}, "\"\"\r\n\r\n"},
                    WriteCase{"first field like a byte-order mark", {{"\xEF\xBB\xBFref"}}, "\"\xEF\xBB\xBFref\"\r\n"}));

TEST(WriterText, WritesCaptionsInTheFilesEncoding)
{
    stk::csv::Format format;
    format.encoding = stk::csv::Encoding::cp1252;
    format.line_end = "\n";
    stk::csv::Writer latin(format);
    latin.text("Coût €");
    latin.end_row();
    EXPECT_EQ(latin.buffer(), "Co\xFBt \x80\n");

    format.encoding = stk::csv::Encoding::utf8;
    format.bom = true;
    stk::csv::Writer utf8(format);
    utf8.start();
    utf8.text("Coût");
    EXPECT_EQ(utf8.buffer(),
              "\xEF\xBB\xBF"
              "Coût");
}

TEST(FoldCaption, FoldsCaptionsAsUsersMayTypeThem)
{
    EXPECT_EQ(stk::csv::fold_caption("  Délai moy. d'obtent° "), "delai moy. d'obtent°");
    EXPECT_EQ(stk::csv::fold_caption("PRIX STANDARD"), "prix standard");
    EXPECT_EQ(stk::csv::fold_caption("Preço Padrão"), "preco padrao");
    EXPECT_EQ(stk::csv::fold_caption("\tNB PIÈCES ACTIVES\r"), "nb pieces actives");
    EXPECT_EQ(stk::csv::fold_caption("Vida útil média"), stk::csv::fold_caption("VIDA ÚTIL MÉDIA"));
}

TEST(ValidUtf8, RefusesMalformedSequences)
{
    EXPECT_TRUE(stk::csv::valid_utf8("plain ascii text, long enough for words"));
    EXPECT_TRUE(stk::csv::valid_utf8("€ é 𝄞"));
    for (const char* bad : {"\xE9", "\xC3", "\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "a\x80"})
        EXPECT_FALSE(stk::csv::valid_utf8(bad)) << bad;
}

}  // namespace
