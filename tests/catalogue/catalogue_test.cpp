// The catalogue library against a temporary database file and a fresh
// database on the throwaway PostgreSQL server: the same tests on both engines.
#include "catalogue/catalogue.h"
#include "catalogue/sqlite_db.h"
#include "pg_server.h"
#include "temp_files.h"
#include "unprivileged.h"

#include <gtest/gtest.h>

#include <latch>
#include <thread>

#include <sys/stat.h>

namespace {

using stk::Article;
using stk::ArticleData;
using stk::Catalogue;
using stk::Problem;
using stk::test::Engine;
using stk::test::names_in;
using stk::test::read_bytes;
using stk::test::TempDir;
using stk::test::worked_article;
using stk::test::write_bytes;
using Refs = std::vector<std::string>;

std::vector<std::string> references(Catalogue& c, std::string_view filter = {},
                                    Catalogue::Order order = Catalogue::Order::reference)
{
    std::vector<std::string> out;
    auto list = c.list(filter, order);
    EXPECT_TRUE(list) << (list.failure ? list.failure->line() : "");
    if (list)
        for (const Article& a : *list.value)
            out.push_back(a.reference);
    return out;
}

// Another copy of the program may take the write lock and keep it until release_lock().
class CatalogueTest : public stk::test::OnEachEngine {
protected:
    void hold_lock()
    {
        if (GetParam() == Engine::sqlite) {
            ASSERT_FALSE(file_lock.open(where, false));
            ASSERT_FALSE(file_lock.exec("BEGIN IMMEDIATE"));
        } else {
            server_lock.emplace(where);
            ASSERT_FALSE(server_lock->run("BEGIN; UPDATE catalogue_state SET change_count = change_count"));
        }
    }
    void release_lock()
    {
        file_lock.close();
        server_lock.reset();
    }

    stk::sql::Database file_lock;
    std::optional<stk::test::PgSession> server_lock;
};

TEST_P(CatalogueTest, KeepsAddedArticlesAcrossOpenings)
{
    {
        Catalogue c = open();
        auto added = c.add(worked_article("  PMP-100\t", "Pompe doseuse", 2));
        ASSERT_TRUE(added);
        EXPECT_EQ(added.value->reference, "PMP-100");  // trimmed
        EXPECT_EQ(added.value->version, 1);
        EXPECT_EQ(added.value->changed.size(), 20u);  // 2026-12-06T12:54:35Z
        EXPECT_EQ(added.value->changed.back(), 'Z');
    }
    Catalogue c = open();
    auto got = c.get("pmp-100");  // ASCII letters in any case
    ASSERT_TRUE(got);
    EXPECT_EQ(got.value->description, "Pompe doseuse");
    EXPECT_EQ(got.value->param(stk::Field::pst), "200");
    EXPECT_EQ(got.value->param(stk::Field::nbt), "3");
    EXPECT_EQ(got.value->stock, 2);
    EXPECT_EQ(c.get("absent").failure->problem, Problem::not_found);
}

TEST_P(CatalogueTest, RefusesAnEmptyOrTakenReferenceOrANegativeStock)
{
    Catalogue c = open();
    ASSERT_TRUE(c.add(worked_article("A-1")));
    using Case = std::pair<ArticleData, Problem>;
    for (const auto& [data, problem] :
         {Case{worked_article(""), Problem::reference_empty}, Case{worked_article(" \t\r\n"), Problem::reference_empty},
          Case{worked_article("A-1"), Problem::reference_taken},
          Case{worked_article(" a-1 "), Problem::reference_taken},
          Case{worked_article("B", {}, -1), Problem::stock_invalid}}) {
        auto r = c.add(data);
        ASSERT_FALSE(r) << data.reference;
        EXPECT_EQ(r.failure->problem, problem) << data.reference;
    }
    EXPECT_EQ(c.count(), 1);
    EXPECT_EQ(c.add(worked_article("A-1")).failure->line(), "Référence déjà utilisée: A-1");
}

TEST_P(CatalogueTest, UpdatesRefusingADuplicateReference)
{
    Catalogue c = open();
    Article a = *c.add(worked_article("A")).value;
    ASSERT_TRUE(c.add(worked_article("B")));

    Article edited = a;
    edited.description = "Roulement";
    edited.param(stk::Field::crt) = "750";
    edited.stock = 0;
    auto stored = c.update(edited);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored.value->version, 2);
    EXPECT_EQ(stored.value->param(stk::Field::crt), "750");
    EXPECT_EQ(stored.value->stock, 0);

    Article renamed = *stored.value;
    renamed.reference = "b";
    EXPECT_EQ(c.update(renamed).failure->problem, Problem::reference_taken);
    EXPECT_EQ(c.get("A").value->description, "Roulement");
}

TEST_P(CatalogueTest, DuplicatesUnderTheFirstFreeNumberedReference)
{
    Catalogue c = open();
    Article a = *c.add(worked_article("REF", "Joint", 3)).value;
    auto two = c.duplicate(a.id);
    ASSERT_TRUE(two);
    EXPECT_EQ(two.value->reference, "REF (2)");
    EXPECT_EQ(two.value->description, "Joint");
    EXPECT_EQ(two.value->params, a.params);
    EXPECT_EQ(c.duplicate(a.id).value->reference, "REF (3)");
    EXPECT_EQ(c.duplicate(two.value->id).value->reference, "REF (4)");  // "REF (2)" counts from REF
    EXPECT_EQ(c.duplicate(987654).failure->problem, Problem::not_found);

    for (const auto& [given, base] : std::vector<std::pair<std::string, std::string>>{
             {"REF", "REF"}, {"REF (12)", "REF"}, {"REF (x)", "REF (x)"}, {"REF ()", "REF ()"}, {"(2)", "(2)"}})
        EXPECT_EQ(stk::duplicate_base(given), base) << given;
}

TEST_P(CatalogueTest, UndoesTheLastDelete)
{
    Catalogue c = open();
    Article a = *c.add(worked_article("A", "premier", 1)).value;
    Article b = *c.add(worked_article("B")).value;
    EXPECT_FALSE(c.can_undo_remove());
    ASSERT_FALSE(c.remove(a.id));
    ASSERT_FALSE(c.remove(b.id));
    EXPECT_EQ(c.count(), 0);
    EXPECT_TRUE(c.can_undo_remove());

    auto back = c.undo_remove();  // the last delete: B
    ASSERT_TRUE(back);
    EXPECT_EQ(back.value->reference, "B");
    EXPECT_EQ(back.value->id, b.id);
    EXPECT_FALSE(c.can_undo_remove());
    EXPECT_EQ(references(c), Refs{"B"});

    // An id is never given again, so a restored article keeps its own.
    ASSERT_FALSE(c.remove(b.id));
    Article other = *c.add(worked_article("C")).value;
    EXPECT_GT(other.id, b.id);
    // The reference was taken meanwhile: the undo is refused and stays possible.
    ASSERT_TRUE(c.add(worked_article("b")));
    EXPECT_EQ(c.undo_remove().failure->problem, Problem::reference_taken);
    EXPECT_TRUE(c.can_undo_remove());
    EXPECT_EQ(c.remove(424242).value().problem, Problem::not_found);
}

TEST_P(CatalogueTest, ImportReportsThenCommitsInOneTransaction)
{
    Catalogue c = open();
    ASSERT_TRUE(c.add(worked_article("EXIST", "ancien")));
    std::vector<ArticleData> rows{
        worked_article("NEW-1", "a"),     worked_article("exist", "nouveau", 4), worked_article(""),
        worked_article("NEW-1", "again"), worked_article("NEW-2", {}, -3),       worked_article(" NEW-3 ")};
    auto plan = c.preview_import(rows);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan.value->added, 2u);
    EXPECT_EQ(plan.value->updated, 1u);
    ASSERT_EQ(plan.value->refused.size(), 3u);
    EXPECT_EQ(plan.value->refused[0].index, 2u);
    EXPECT_EQ(plan.value->refused[0].why.problem, Problem::reference_empty);
    EXPECT_EQ(plan.value->refused[1].why.line(), "Référence en double dans l'import: NEW-1");
    EXPECT_EQ(plan.value->refused[2].why.problem, Problem::stock_invalid);
    EXPECT_EQ(c.count(), 1);  // a preview writes nothing

    auto done = c.commit_import(rows, *plan.value);
    ASSERT_TRUE(done);
    EXPECT_EQ(references(c), (Refs{"EXIST", "NEW-1", "NEW-3"}));
    const Article updated = *c.get("EXIST").value;
    EXPECT_EQ(updated.reference, "EXIST");  // the stored spelling stays
    EXPECT_EQ(updated.description, "nouveau");
    EXPECT_EQ(updated.stock, 4);
    EXPECT_EQ(updated.version, 2);
    EXPECT_EQ(c.get("NEW-1").value->description, "a");  // the first of the two
}

TEST_P(CatalogueTest, ALargeImportKeepsEveryArticleInItsOrder)
{
    Catalogue c = open();
    std::vector<ArticleData> rows;
    for (int i = 0; i < 601; ++i)  // written by statements of a few hundred rows
        rows.push_back(worked_article("R" + std::to_string(1000 + i), "d" + std::to_string(i), i % 7));
    auto done = c.commit_import(rows, *c.preview_import(rows).value);
    ASSERT_TRUE(done) << done.failure->line();
    EXPECT_EQ(done.value->added, 601u);
    EXPECT_EQ(c.count(), 601);
    std::int64_t last_id = 0;
    for (int i : {0, 249, 250, 499, 500, 600}) {
        const Article a = *c.get("r" + std::to_string(1000 + i)).value;
        EXPECT_EQ(a.description, "d" + std::to_string(i));
        EXPECT_EQ(a.stock, i % 7);
        EXPECT_EQ(a.params, rows[0].params);
        EXPECT_GT(a.id, last_id) << "ids follow the list";
        last_id = a.id;
    }
}

TEST_P(CatalogueTest, AnImportThatCannotCompleteChangesNothing)
{
    Catalogue c = open();
    ASSERT_TRUE(c.add(worked_article("KEEP", "tel quel")));
    const std::vector<ArticleData> rows{worked_article("N1"), worked_article("KEEP", "écrasé"), worked_article("N2")};
    auto plan = c.preview_import(rows);
    ASSERT_TRUE(plan);

    // Another copy of the program adds N2 between the preview and the commit.
    {
        auto other = Catalogue::open_location(where);
        ASSERT_TRUE(other);
        ASSERT_TRUE(other.value->add(worked_article("N2", "d'ailleurs")));
    }
    auto refused = c.commit_import(rows, *plan.value);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.failure->problem, Problem::import_changed);
    EXPECT_EQ(references(c), (Refs{"KEEP", "N2"}));
    EXPECT_EQ(c.get("KEEP").value->description, "tel quel");

    // Another copy holds the write lock past the busy timeout: nothing is written either.
    plan = c.preview_import(rows);
    ASSERT_TRUE(plan);
    hold_lock();
    auto busy = c.commit_import(rows, *plan.value);
    ASSERT_FALSE(busy);
    EXPECT_EQ(busy.failure->problem, Problem::busy);
    release_lock();
    EXPECT_EQ(references(c), (Refs{"KEEP", "N2"}));
    EXPECT_EQ(c.get("KEEP").value->version, 1);
}

TEST_P(CatalogueTest, OfTwoEditsOfOneVersionAtOnceTheLoserIsTold)
{
    Catalogue first = open();
    Catalogue second = open();
    const Article added = *first.add(worked_article("SHARED", "v1")).value;
    EXPECT_EQ(second.get("SHARED").value->description, "v1");  // seen at once by the other
    for (int round = 0; round < 4; ++round) {
        const Article base = *first.get(added.id).value;
        std::optional<stk::Result<Article>> outcome[2];
        std::latch start(2);
        auto edit = [&](Catalogue& c, int who) {
            Article mine = base;
            mine.description = "writer " + std::to_string(who) + " round " + std::to_string(round);
            start.arrive_and_wait();
            outcome[who].emplace(c.update(mine));
        };
        std::thread a(edit, std::ref(first), 0), b(edit, std::ref(second), 1);
        a.join();
        b.join();
        ASSERT_NE(bool(*outcome[0]), bool(*outcome[1])) << "round " << round;
        const int winner = *outcome[0] ? 0 : 1;
        EXPECT_EQ(outcome[1 - winner]->failure->problem, Problem::changed_elsewhere);
        const Article stored = *first.get(added.id).value;
        EXPECT_EQ(stored.description, outcome[winner]->value->description);
        EXPECT_EQ(stored.version, base.version + 1);
    }
}

TEST_P(CatalogueTest, ProgramsMeetingAnEmptyCatalogueAllOpenIt)
{
    std::optional<stk::Result<Catalogue>> opened[4];
    std::vector<std::thread> programs;
    for (auto& o : opened)
        programs.emplace_back([&] { o.emplace(Catalogue::open_location(where)); });
    for (auto& p : programs)
        p.join();
    for (auto& o : opened)
        ASSERT_TRUE(*o) << o->failure->line();
    ASSERT_TRUE(opened[0]->value->add(worked_article("A")));
    EXPECT_EQ(opened[3]->value->count(), 1);
}

TEST_P(CatalogueTest, TheChangeCountGrowsWithEveryCommitOfAnyConnection)
{
    Catalogue mine = open();
    Catalogue theirs = open();
    std::int64_t last = *mine.change_count().value;
    const auto grew = [&] {
        const std::int64_t now = *mine.change_count().value;
        const bool up = now > last;
        last = now;
        return up;
    };
    Article a = *theirs.add(worked_article("A")).value;
    EXPECT_TRUE(grew());
    EXPECT_FALSE(theirs.add(worked_article("a")));  // refused: nothing changed
    EXPECT_FALSE(grew());
    a.description = "changed";
    ASSERT_TRUE(theirs.update(a));
    EXPECT_TRUE(grew());
    EXPECT_FALSE(theirs.update(a));  // a stale version
    EXPECT_FALSE(grew());
    ASSERT_TRUE(theirs.commit_import({worked_article("B")}, *theirs.preview_import({worked_article("B")}).value));
    EXPECT_TRUE(grew());
    ASSERT_FALSE(mine.remove(a.id));
    EXPECT_TRUE(grew());
    EXPECT_GE(*theirs.change_count().value, last);
}

TEST_P(CatalogueTest, PagesAreSlicesOfTheSortedFilteredList)
{
    Catalogue c = open();
    for (auto [r, d] : std::vector<std::pair<const char*, const char*>>{{"k-2", "vanne"},
                                                                        {"K-10", "Vanne"},
                                                                        {"b", "joint"},
                                                                        {"A_1", "JOINT torique"},
                                                                        {"a-1", "bride"},
                                                                        {"Zz", ""},
                                                                        {"é-1", "écrou"}})
        ASSERT_TRUE(c.add(worked_article(r, d)));
    // ASCII letters in any case, then bytes: '-' < '_' < letters < UTF-8.
    EXPECT_EQ(references(c), (Refs{"a-1", "A_1", "b", "K-10", "k-2", "Zz", "é-1"}));
    EXPECT_EQ(references(c, {}, Catalogue::Order::description), (Refs{"Zz", "a-1", "b", "A_1", "K-10", "k-2", "é-1"}));
    EXPECT_EQ(references(c, "j"), (Refs{"A_1", "b"}));  // descriptions, in any case
    EXPECT_EQ(references(c, "1"), (Refs{"a-1", "A_1", "K-10", "é-1"}));
    EXPECT_EQ(references(c, "_"), Refs{"A_1"});  // wildcards are plain text
    EXPECT_EQ(references(c, "%"), Refs{});
    std::vector<std::string> exported;
    ASSERT_FALSE(c.for_each([&](const Article& a) { exported.push_back(a.reference); }));
    EXPECT_EQ(exported, references(c));
    for (auto order : {Catalogue::Order::reference, Catalogue::Order::description})
        for (std::string_view filter : {"", "J", "1"}) {
            const auto all = references(c, filter, order);
            for (auto [offset, limit] : std::vector<std::pair<std::size_t, std::size_t>>{
                     {0, 3}, {3, 3}, {6, 3}, {7, 3}, {0, 100}, {2, 0}, {1, SIZE_MAX}}) {
                auto page = c.page(filter, order, offset, limit);
                ASSERT_TRUE(page) << page.failure->line();
                std::vector<std::string> got;
                for (const Article& a : *page.value)
                    got.push_back(a.reference);
                const auto from = all.begin() + static_cast<std::ptrdiff_t>(std::min(offset, all.size()));
                const auto to = from + static_cast<std::ptrdiff_t>(std::min(limit, std::size_t(all.end() - from)));
                EXPECT_EQ(got, std::vector<std::string>(from, to)) << filter << " " << offset << "+" << limit;
            }
        }
}

INSTANTIATE_TEST_SUITE_P(Engines, CatalogueTest, testing::Values(Engine::sqlite, Engine::postgresql),
                         stk::test::engine_name);

TEST(CatalogueFile, ReadersDoNotBlockTheWriterInWalMode)
{
    TempDir dir;
    auto c = Catalogue::open(stk::catalogue_path(dir.path));
    ASSERT_TRUE(c);
    EXPECT_FALSE(c.value->is_shared());
    EXPECT_EQ(c.value->location(), stk::catalogue_path(dir.path).string());
    stk::sql::Database reader;
    ASSERT_FALSE(reader.open(c.value->path().string(), false));
    {
        stk::sql::Statement journal(reader, "PRAGMA journal_mode");
        ASSERT_EQ(journal.step(), stk::sql::Statement::Step::row);
        EXPECT_EQ(journal.text(0), "wal");
    }
    ASSERT_FALSE(reader.exec("BEGIN; SELECT count(*) FROM article;"));
    EXPECT_TRUE(c.value->add(worked_article("WHILE-READING")));
    EXPECT_EQ(reader.exec("COMMIT"), std::nullopt);
}

// Version 1 as an earlier program wrote it: the reference was the key, there
// was no stock and no version number.
constexpr const char* version_1 = R"(
CREATE TABLE article (
  reference TEXT NOT NULL PRIMARY KEY COLLATE NOCASE CHECK (reference <> ''),
  description TEXT NOT NULL DEFAULT '',
  dat TEXT NOT NULL DEFAULT '', pst TEXT NOT NULL DEFAULT '', uut TEXT NOT NULL DEFAULT '',
  dvt TEXT NOT NULL DEFAULT '', crt TEXT NOT NULL DEFAULT '', nbt TEXT NOT NULL DEFAULT '',
  changed TEXT NOT NULL
);
INSERT INTO article VALUES ('Z-9', 'Vanne', '2', '1500', '8760', '40000', '1200', '6', '2025-01-31T08:00:00Z');
INSERT INTO article VALUES ('A-1', 'Pompe', '4', '200', '2000', '10000', '500', '3', '2025-02-01T09:30:00Z');
INSERT INTO article VALUES ('m-5', '', '1,5', 'abc', '', '', '', '', '2025-02-02T10:00:00Z');
PRAGMA user_version = 1;
)";

TEST(CatalogueFile, UpgradesVersion1InPlaceKeepingEveryArticle)
{
    TempDir dir;
    const auto open = [&] { return std::move(*Catalogue::open(stk::catalogue_path(dir.path)).value); };
    {
        stk::sql::Database old;
        ASSERT_FALSE(old.open(stk::catalogue_path(dir.path).string(), true));
        ASSERT_FALSE(old.exec(version_1));
    }
    Catalogue c = open();
    EXPECT_EQ(references(c), (Refs{"A-1", "m-5", "Z-9"}));
    const Article v = *c.get("Z-9").value;
    EXPECT_EQ(v.description, "Vanne");
    EXPECT_EQ(v.params, (std::array<std::string, 6>{"2", "1500", "8760", "40000", "1200", "6"}));
    EXPECT_EQ(v.changed, "2025-01-31T08:00:00Z");
    EXPECT_EQ(v.version, 1);
    EXPECT_FALSE(v.stock);
    EXPECT_EQ(c.get("m-5").value->params[0], "1,5");  // texts as typed, unread

    stk::sql::Database check;
    ASSERT_FALSE(check.open(stk::catalogue_path(dir.path).string(), false));
    stk::sql::Statement version(check, "PRAGMA user_version");
    ASSERT_EQ(version.step(), stk::sql::Statement::Step::row);
    EXPECT_EQ(version.integer(0), stk::catalogue_schema_version);
    // The upgraded catalogue takes the new columns and counts changes.
    EXPECT_EQ(c.change_count().value, 0);
    Article edited = *c.get("A-1").value;
    edited.stock = 2;
    EXPECT_EQ(c.update(edited).value->stock, 2);
}

void make_valid(const std::filesystem::path& p, int user_version)
{
    stk::sql::Database db;
    ASSERT_FALSE(db.open(p.string(), true));
    ASSERT_FALSE(db.exec("CREATE TABLE article (reference TEXT PRIMARY KEY); INSERT INTO article VALUES ('A');"));
    ASSERT_FALSE(db.exec(("PRAGMA user_version = " + std::to_string(user_version)).c_str()));
}

struct BadFile {
    const char* name;
    std::function<void(const std::filesystem::path&)> make;
    Problem problem;
};

// The superuser may write any file: the catalogue is opened as an ordinary user.
TEST(CatalogueFile, ARefusedFileIsReportedInOneLineLeftByteForByte)
{
    for (const BadFile& bad :
         {BadFile{"garbage", [](const auto& p) { write_bytes(p, std::string(3000, 'x')); }, Problem::corrupt},
          BadFile{"damaged pages",
                  [](const auto& p) {
                      // A sound first page, then junk where the table's pages were.
                      make_valid(p, 1);
                      std::string bytes = read_bytes(p);
                      for (std::size_t i = 4096; i < bytes.size(); ++i)
                          bytes[i] = static_cast<char>(0xA5);
                      write_bytes(p, bytes);
                  },
                  Problem::corrupt},
          BadFile{"newer", [](const auto& p) { make_valid(p, stk::catalogue_schema_version + 1); },
                  Problem::newer_version},
          BadFile{"foreign",
                  [](const auto& p) {
                      stk::sql::Database db;
                      ASSERT_FALSE(db.open(p.string(), true));
                      ASSERT_FALSE(db.exec("CREATE TABLE notes (t TEXT)"));
                  },
                  Problem::not_a_catalogue},
          BadFile{"read-only",
                  [](const auto& p) {
                      make_valid(p, 1);
                      chmod(p.c_str(), 0444);
                  },
                  Problem::read_only}}) {
        SCOPED_TRACE(bad.name);
        TempDir dir;
        const auto path = stk::catalogue_path(dir.path);
        bad.make(path);
        const std::string before = read_bytes(path);
        const auto entries = names_in(dir.path);
        stk::test::give_to_user(dir.path);
        stk::test::give_to_user(path);
        EXPECT_AS_USER([&] {
            auto c = Catalogue::open(path);
            return !c && c.failure->problem == bad.problem && c.failure->line().find('\n') == std::string::npos &&
                   c.failure->line().find(path.string()) != std::string::npos;
        });
        EXPECT_EQ(read_bytes(path), before);
        EXPECT_EQ(names_in(dir.path), entries);
    }
}

TEST(CatalogueOpen, AFolderThatCannotHoldItIsReported)
{
    TempDir dir;
    const auto missing = dir.path / "no_such_folder" / "catalogue.sqlite";
    auto c = Catalogue::open(missing);
    ASSERT_FALSE(c);
    EXPECT_EQ(c.failure->problem, Problem::cannot_open);
    EXPECT_NE(c.failure->line().find(missing.string()), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(missing.parent_path()));

    auto dir_in_place = Catalogue::open(dir.path);
    ASSERT_FALSE(dir_in_place);
}

}  // namespace
