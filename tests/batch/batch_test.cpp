// stk_batch end to end: the real program on real files.
#include "run_batch.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace fs = std::filesystem;

namespace {

using stk::test::lines_of;
using stk::test::read_bytes;
using stk::test::worked_results;
using stk::test::write_bytes;

class Batch : public testing::Test {
protected:
    // Runs the program with `args` in the test's folder, standard input from `input`.
    stk::test::Outcome run(const std::vector<std::string>& args, const std::string& input = "",
                           const std::string& exe = STK_BATCH_EXE, const std::string& shell_prefix = "")
    {
        return stk::test::run_batch(dir, args, input, exe, shell_prefix);
    }
    // No temporary file of `output` is left in the folder.
    void expect_no_temporary(const std::string& output) const
    {
        for (const auto& entry : fs::directory_iterator(dir))
            EXPECT_FALSE(entry.path().filename().string().starts_with("." + output)) << entry.path();
    }

    stk::test::TempDir temp;
    const fs::path& dir = temp.path;
};

std::vector<std::string> split(const std::string& line, char sep)
{
    std::vector<std::string> out(1);
    for (char c : line)
        if (c == sep)
            out.emplace_back();
        else
            out.back() += c;
    return out;
}

// An export from a maintenance system: semicolons, decimal commas,
// Windows-1252, French captions in another order, descriptions holding
// separators, quotes and line breaks.
TEST_F(Batch, KeepsTheFormatOfARealLookingExport)
{
    const std::string input =
        "R\xE9"
        "f\xE9rence;D\xE9signation;Nb pi\xE8"
        "ces actives;  D\xC9LAI MOY. D'OBTENT\xB0 ;"
        "Prix Standard;Utilisation unitaire;Dur\xE9"
        "e de vie moyenne;"
        "Co\xFBt du risque de rupture;Co\xFBt de Commande;Taux de Stockage\r\n"
        "ROUL-6204;\"Roulement \xE0 billes; 20\xD7"
        "47, \"\"2RS\"\"\r\nlot de 2\";3;4;200,0;2000;"
        "10000;500;50;2\r\n"
        "COUR-A12;Courroie;3;4,0;200;2000;10000;500;50;2\r\n";
    write_bytes(dir / "export.csv", input);
    const stk::test::Outcome r = run({"export.csv", "-o", "result.csv"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(read_bytes(dir / "export.csv"), input);
    const std::string out = read_bytes(dir / "result.csv");
    const auto rows = lines_of(out);
    ASSERT_EQ(rows.size(), 4u) << out;  // header, a record over two lines, a record
    EXPECT_TRUE(
        rows[0].starts_with("R\xE9"
                            "f\xE9rence;D\xE9signation;"))
        << rows[0];
    EXPECT_NE(rows[0].find(";Co\xFBt direct 0;"), std::string::npos) << "captions stay in Windows-1252";
    EXPECT_NE(out.find("\"Roulement \xE0 billes; 20\xD7"
                       "47, \"\"2RS\"\"\r\nlot de 2\";3;4;200,0;"),
              std::string::npos);
    for (const std::size_t row : {2u, 3u})
        EXPECT_TRUE(rows[row].ends_with(worked_results(';', ',') + ";")) << rows[row];  // no notes
    EXPECT_NE(out.find("\r\n"), std::string::npos);
}

// A comma file with a point, the English captions, the key names and the stock on hand.
TEST_F(Batch, EveryResultOfTheWorkedExampleAgreesWithTheWindow)
{
    const std::string params = "50,2,4,200,2000,10000,500,3,";
    write_bytes(dir / "en.csv",
                "Part,Ordering Cost,Holding Cost Rate,Avg. Lead Time,Standard Price,Unit Usage,Average "
                "Life,Stock-out Cost,Parts in Service,Current stock\nP1," +
                    params + "1\nP2," + params + "\nP3," + params + "7\n");
    const stk::test::Outcome r = run({"--keys", "en.csv"});
    EXPECT_EQ(r.status, 1) << r.err;  // the stock of 7 is noted
    EXPECT_EQ(r.out,
              "Part,Ordering Cost,Holding Cost Rate,Avg. Lead Time,Standard Price,Unit Usage,Average Life,"
              "Stock-out Cost,Parts in Service,Current stock,rt(0),rt(1),rt(2),rt(3),rt(4),cdt(0),cdt(1),"
              "cdt(2),cdt(3),cdt(4),cgt(0),cgt(1),cgt(2),cgt(3),cgt(4),tt(0),tt(1),tt(2),tt(3),tt(4),sst(5),"
              "tt(stock),saving,notes\n"
              "P1," +
                  params + "1" + worked_results(',') +
                  ",788.3407,126.266,\n"
                  "P2," +
                  params + worked_results(',') +
                  ",,,\n"
                  "P3," +
                  params + "7" + worked_results(',') +
                  R"(,,,"column ""Current stock"": ""7"" is not a stock of 0 to 4 parts")" + "\n");
}

TEST_F(Batch, CaptionsTheResultColumnsInTheChosenLanguage)
{
    write_bytes(dir / "pt.csv",
                "\xEF\xBB\xBF"
                "Peças em serviço\tLead time médio\tPreço Padrão\tUso unitário\tVida útil "
                "média\tCusto do risco de ruptura\tcct\ttst\n3\t4\t200\t2000\t10000\t500\t50\t2\n");
    for (const auto& [lang, first_result, recommended, notes] :
         std::vector<std::array<std::string, 4>>{{"fr", "Risque 0", "Stock de Sécurité", "Remarques"},
                                                 {"en", "Risk 0", "Safety Stock", "Notes"},
                                                 {"pt", "Risco 0", "Est. de Segurança", "Observações"}}) {
        const stk::test::Outcome r = run({"--lang", lang, "pt.csv"});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(r.out.starts_with("\xEF\xBB\xBF")) << "the byte-order mark stays";
        const auto header = split(lines_of(r.out)[0], '\t');
        ASSERT_EQ(header.size(), 8u + 22u);
        EXPECT_EQ(header[8], first_result);
        EXPECT_EQ(header[28], recommended);
        EXPECT_EQ(header[29], notes);
    }
}

TEST_F(Batch, RunsFromStandardInputToStandardOutput)
{
    const stk::test::Outcome r = run({"-", "-o", "-", "--order-cost", "50", "--storage-rate", "2"},
                                     "nbt;dat;pst;uut;dvt;crt\n3;4;200;2000;10000;500\n");
    EXPECT_EQ(r.status, 0) << r.err;
    const auto rows = lines_of(r.out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], "3;4;200;2000;10000;500" + worked_results(';', ',') + ";");
    EXPECT_NE(r.err.find("order cost 50 from --order-cost"), std::string::npos) << r.err;
}

// With no column and no option, the company parameters are the fields the
// window saved.
TEST_F(Batch, TakesTheCompanyParametersFromTheWindowsSavedFields)
{
    fs::create_directories(dir / "bin");
    fs::copy_file(STK_BATCH_EXE, dir / "bin" / "stk_batch");
    write_bytes(dir / "bin" / "param_stk_secu.txt",
                "da_stk_secu\tcct\t50\r\nda_stk_secu\ttst\t2\r\nda_stk_secu\tlangue\t0\r\n");
    write_bytes(dir / "list.csv", "nbt,dat,pst,uut,dvt,crt\n3,4,200,2000,10000,500\n");
    const stk::test::Outcome r = run({"--keys", "list.csv"}, "", (dir / "bin" / "stk_batch").string());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("order cost 50 from the window's saved fields"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("storage rate 2 from the window's saved fields"), std::string::npos) << r.err;
    EXPECT_EQ(lines_of(r.out)[1], "3,4,200,2000,10000,500" + worked_results(',') + ",");
}

// Values that are not plain numbers, and rows of another length: noted, kept,
// read as the window reads them.
TEST_F(Batch, KeepsEveryRowNotingEveryOddValue)
{
    const std::string input =
        "ref;nbt;dat;pst;uut;dvt;crt;cct;tst\n"
        "A;3;12 semaines;200;2000;10000;500;50;2\n"
        "B;3;4;;2000;10000;500;50;2\n"
        "C;3;4;200\n"
        "D;3;4;200;2000;10000;500;50;2;extra\n"
        "E;3;4;200;2000;10000;500;50;2\n";
    write_bytes(dir / "odd.csv", input);
    const stk::test::Outcome r = run({"odd.csv", "-o", "odd.out.csv"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("line 2, column \"dat\": \"12 semaines\" read as 12\n"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("line 3, column \"pst\": \"\" read as 0\n"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("line 4, 4 fields where the header has 9\n"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("line 5, 10 fields where the header has 9\n"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("5 articles, 4 with notes"), std::string::npos) << r.err;
    const auto rows = lines_of(read_bytes(dir / "odd.out.csv"));
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_TRUE(rows[3].starts_with("C;3;4;200;;;;;;")) << rows[3];
    EXPECT_EQ(rows[4],
              "D;3;4;200;2000;10000;500;50;2;extra" + worked_results(';', ',') + ";10 fields where the header has 9");
    EXPECT_EQ(rows[5], "E;3;4;200;2000;10000;500;50;2" + worked_results(';', ',') + ";");
    EXPECT_EQ(read_bytes(dir / "odd.csv"), input);
}

struct Failure {
    const char* name;
    std::string input;  // written to in.csv unless empty
    std::vector<std::string> args;
    std::string message;
};
void PrintTo(const Failure& f, std::ostream* os) { *os << f.name; }

class Refusals : public Batch, public testing::WithParamInterface<Failure> {};

TEST_P(Refusals, WriteNothingLeaveTheInputAloneSayingWhy)
{
    const Failure& f = GetParam();
    if (!f.input.empty())
        write_bytes(dir / "in.csv", f.input);
    fs::create_directories(dir / "folder");
    const stk::test::Outcome r = run(f.args);
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_NE(r.err.find(f.message), std::string::npos) << r.err;
    EXPECT_TRUE(r.err.ends_with("\n"));
    EXPECT_FALSE(fs::exists(dir / "out.csv"));
    if (!f.input.empty()) {
        EXPECT_EQ(read_bytes(dir / "in.csv"), f.input);
    }
    expect_no_temporary("out.csv");
}

const std::string good = "nbt;dat;pst;uut;dvt;crt;cct;tst\n3;4;200;2000;10000;500;50;2\n";

INSTANTIATE_TEST_SUITE_P(
    BadInput, Refusals,
    testing::Values(Failure{"missing file", "", {"missing.csv", "-o", "out.csv"}, "cannot read missing.csv"},
                    Failure{"folder", "", {"folder", "-o", "out.csv"}, "it is a folder"},
                    Failure{"empty file", "\n", {"in.csv", "-o", "out.csv"}, "no header row"},
                    Failure{"missing column",
                            "nbt;pst;uut;dvt;crt\n3;200;2000;10000;500\n",
                            {"in.csv", "-o", "out.csv"},
                            "no column \"dat\""},
                    Failure{"output over the input", good, {"in.csv", "-o", "./in.csv"}, "would replace the input"},
                    Failure{"output folder missing", good, {"in.csv", "-o", "nowhere/out.csv"}, "cannot create"},
                    Failure{"output is a folder", good, {"in.csv", "-o", "folder"}, "it is a folder"},
                    Failure{"bad order cost",
                            good,
                            {"in.csv", "--order-cost", "cinquante", "-o", "out.csv"},
                            "--order-cost: \"cinquante\" is not a number"},
                    Failure{"unknown option", good, {"in.csv", "--fast"}, "unknown option --fast"},
                    Failure{"no input", good, {}, "no input file"}));

// A full disk (a file size limit here) half way: the old output stays as it
// was and no temporary file is left.
TEST_F(Batch, AFullDiskLeavesTheOldOutputAlone)
{
    std::string input = "nbt;dat;pst;uut;dvt;crt;cct;tst\n";
    for (int i = 0; i < 20000; ++i)
        input += "3;4;200;2000;10000;500;50;2\n";
    write_bytes(dir / "in.csv", input);
    write_bytes(dir / "out.csv", "old");
    const stk::test::Outcome r = run({"in.csv", "-o", "out.csv"}, "", STK_BATCH_EXE, "trap '' XFSZ; ulimit -f 64;");
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_NE(r.err.find("cannot write out.csv"), std::string::npos) << r.err;
    EXPECT_EQ(read_bytes(dir / "out.csv"), "old");
    expect_no_temporary("out.csv");
}

TEST_F(Batch, ReplacesAnOlderOutputKeepingItsPermissions)
{
    write_bytes(dir / "in.csv", good);
    write_bytes(dir / "out.csv", "old");
    fs::permissions(dir / "out.csv", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const stk::test::Outcome r = run({"in.csv", "-o", "out.csv"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(read_bytes(dir / "out.csv").starts_with("nbt;dat;"));
    EXPECT_EQ(fs::status(dir / "out.csv").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// The output named through a link replaces the file the link names; a device
// is written to, never replaced by a file.
TEST_F(Batch, WritesWhereTheOutputNamePoints)
{
    write_bytes(dir / "in.csv", good);
    write_bytes(dir / "real.csv", "old");
    fs::create_symlink("real.csv", dir / "link.csv");
    for (const char* output : {"link.csv", "/dev/null"})
        EXPECT_EQ(run({"in.csv", "-o", output}).status, 0) << output;
    EXPECT_TRUE(fs::is_symlink(dir / "link.csv"));
    EXPECT_TRUE(read_bytes(dir / "real.csv").starts_with("nbt;dat;"));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST_F(Batch, AnswersHelpOrVersion)
{
    stk::test::Outcome r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.starts_with("Usage: stk_batch")) << r.out;
    r = run({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.starts_with("stk_batch ")) << r.out;
}

}  // namespace
