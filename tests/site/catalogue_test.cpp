// The catalogue as the game browses it: the title of ten fields, filters and paging, refused
// selections; votes, publishing, the solution page and the collections to download. Browsing,
// loading, voting, printing and downloading as the game does them are e2e CatalogueTest's.
#include <gtest/gtest.h>
#include <zip.h>

#include <chrono>
#include <sstream>
#include <thread>

#include "site/catalogue.h"
#include "site/puzzle_maker.h"
#include "site_harness.h"
#include "storage/puzzle_file.h"

namespace sudoku::site::testing {
namespace {

constexpr const char* kSelect = "/sudoku/gioco-offline/sudoku-select-new.asp?of=";

std::vector<std::string> Fields(const std::string& title) {
  std::vector<std::string> fields;
  std::stringstream in(title);
  for (std::string field; std::getline(in, field, ';');) fields.push_back(field);
  return fields;
}

// One site with a large catalogue for the whole suite.
class SiteCatalogue : public ::testing::Test {
 protected:
  static RunningSite& Shared() {
    static ScratchDir dir;
    static RunningSite site(dir / "site.db", 600);
    return site;
  }
  Db& Store() { return Shared().Inner().Store(); }
  std::string Title(const std::string& of) { return browser_.Get(kSelect + of).Title(); }

  Browser browser_{Shared().Port()};
};

TEST_F(SiteCatalogue, TitlePagingAndFilters) {
  const auto expected = PuzzleAt(Store(), {2012, 0, false, 0}, 2);
  ASSERT_TRUE(expected);
  EXPECT_EQ(Title("2012_00_T_00_2_quillo"),
            expected->Digits + ";" + std::to_string(expected->Level) + ";" +
                std::to_string(expected->Givens) + ";" + std::to_string(expected->Number) + ";" +
                DateText(expected->Published) + ";0;0;quillo;0;0");

  const int total = CountMatches(Store(), {2015, 0, false, 0});
  ASSERT_GE(total, 10);
  EXPECT_EQ(Title("2015_00_T_00_0_quillo"), Title("2015_00_T_00_1_quillo"));
  EXPECT_NE(Title("2015_00_T_00_2_quillo"), Title("2015_00_T_00_1_quillo"));
  EXPECT_EQ(Fields(Title("2015_00_T_00_" + std::to_string(total) + "_quillo"))[4].substr(5),
            "/2015");
  const Answer past = browser_.Get(kSelect + ("2015_00_T_00_" + std::to_string(total + 1)) + "_q");
  EXPECT_EQ(past.Status, 200);
  EXPECT_THAT(past.Title(), Not(HasSubstr(";")));
  EXPECT_EQ(Fields(Title("2015_3_T_00_1_quillo"))[4].substr(2), "/03/2015");
  // The marker may be an address; it is the game's and changes nothing.
  EXPECT_EQ(Title("2015_3_T_00_1_http://127.0.0.1:8642/sudoku/gioco-offline/altri-sudoku-3.asp"),
            Title("2015_3_T_00_1_quillo"));

  for (int page = 1; page <= 4; ++page) {
    const auto symmetric = Fields(Title("2020_00_S_00_" + std::to_string(page) + "_quillo"));
    ASSERT_EQ(symmetric.size(), 10u);
    EXPECT_TRUE(PuzzleByNumber(Store(), std::stoi(symmetric[3]))->Symmetric);
    const auto given = Fields(Title("2020_00_T_26_" + std::to_string(page) + "_quillo"));
    EXPECT_TRUE(given.size() != 10 || given[2] == "26");
  }
  EXPECT_THAT(Title("2020_00_T_81_1_quillo"), Not(HasSubstr(";")));

  for (const char* of : {"", "abc", "2026_13_T_00_1_quillo", "2026_1_X_00_1_quillo",
                         "2026_1_T_00_-1_quillo", "2026_1_T", "99999999999_1_T_00_1_q"}) {
    const Answer answer = browser_.Get(std::string(kSelect) + of);
    EXPECT_EQ(answer.Status, 400) << of;
    EXPECT_THAT(answer.Title(), Not(HasSubstr(";"))) << of;
  }
}

TEST_F(SiteCatalogue, EveryTwentyFifthPageSendsTheGameToOtherPuzzles) {
  ASSERT_GE(CountMatches(Store(), {2010, 0, false, 0}), 25);
  const auto fields = Fields(Title("2010_00_T_00_25_quillo"));
  ASSERT_EQ(fields.size(), 10u);
  const std::string prefix = "http://127.0.0.1:" + std::to_string(Shared().Port());
  ASSERT_EQ(fields[7].rfind(prefix + "/sudoku/gioco-offline/altri-sudoku-", 0), 0u);
  EXPECT_NE(fields[9], "0");
  EXPECT_EQ(browser_.Get(fields[7].substr(prefix.size())).Status, 200);
  // The address comes from the Host header only when that is a plain host and port.
  httplib::Client raw("127.0.0.1", Shared().Port());
  for (const std::string& host : {std::string(8000, 'a'), std::string("a\"b:80")}) {
    const auto answer =
        raw.Get((std::string(kSelect) + "2010_00_T_00_25_quillo").c_str(), {{"Host", host}});
    ASSERT_TRUE(answer);
    EXPECT_EQ(
        Fields(Answer{0, "", answer->body, {}}.Title())[7].rfind("http://127.0.0.1/sudoku/", 0),
        0u);
  }
}

TEST_F(SiteCatalogue, VotesPublishingAndTheSolutionPage) {
  Browser bruno(Shared().Port()), guest(Shared().Port());
  browser_.SignUp("votante1");
  bruno.SignUp("votante2");
  const std::string vote = "/sudoku/gioco-offline/vota-sudoku.asp?num=5";
  EXPECT_EQ(guest.Post(vote, "voto=9").Status, 403);
  EXPECT_EQ(browser_.Post(vote, "voto=11").Status, 400);
  browser_.Post(vote, "voto=8");
  browser_.Post(vote, "voto=1");  // a second vote of the same user does not count
  const Answer afterBruno = bruno.Post(vote, "voto=3");
  EXPECT_THAT(afterBruno.Body, HasSubstr("Media voti: 5.5 - Votanti: 2"));
  EXPECT_THAT(afterBruno.Body, HasSubstr("gi\u00e0 votato"));

  SeededRandom random(4242);
  const MadePuzzle made = MakePuzzle(random, false, 24);
  const std::string publish = "/sudoku/gioco-offline/pubblica-sudoku.asp?who=votante1&pz=";
  EXPECT_EQ(
      browser_.Get("/sudoku/gioco-offline/pubblica-sudoku.asp?who=x&pz=" + made.Digits).Status,
      403);
  EXPECT_EQ(guest.Get(publish + made.Digits).Status, 403);
  EXPECT_THAT(browser_.Get(publish + made.Digits).Body, HasSubstr("pubblicato con il numero"));
  EXPECT_THAT(browser_.Get(publish + made.Digits).Body, HasSubstr("gi\u00e0 pubblicato"));
  std::string crowded = made.Digits;  // 31 givens, still unique
  for (std::size_t i = 0; std::count(crowded.begin(), crowded.end(), '0') > 50; ++i)
    if (crowded[i] == '0') crowded[i] = made.Solution[i];
  std::string sparse = made.Digits;  // 14 givens
  for (std::size_t i = 0; std::count(sparse.begin(), sparse.end(), '0') < 67; ++i) sparse[i] = '0';
  std::string several = made.Digits;  // 20 givens: not unique any more
  for (std::size_t i = 0; std::count(several.begin(), several.end(), '0') < 61; ++i)
    several[i] = '0';
  std::string clash = made.Digits;  // a given repeated in its row
  const std::size_t open = clash.find('0');
  for (std::size_t i = open / 9 * 9; i < open / 9 * 9 + 9; ++i)
    if (clash[i] != '0') clash[open] = clash[i];
  for (const auto& [digits, refusal] : {std::pair{crowded, "pi\u00f9 di 30"},
                                        {sparse, "meno di 15"},
                                        {several, "pi\u00f9 di una soluzione"},
                                        {clash, "non ammette soluzioni"},
                                        {std::string("12345"), "81 cifre"}})
    EXPECT_THAT(browser_.Get(publish + digits).Body, HasSubstr(refusal)) << refusal;

  // The solution answers for the number and the date of one puzzle, however padded.
  const auto puzzle = PuzzleByNumber(Store(), 77);
  const Date day = puzzle->Published;
  const std::string solutionOf = "/sudoku/gioco-offline/soluzioni.asp?of=";
  const std::string padded = DateText(day, '_');  // DD_MM_YYYY
  const Answer solution = browser_.Get(solutionOf + padded.substr(6) + "_" + padded.substr(3, 2) +
                                       "_" + padded.substr(0, 2) + "_77");
  const std::string firstCell = puzzle->Digits[0] == '0' ? "class=\"c0 s\">" : "class=\"c0\">";
  EXPECT_THAT(solution.Body, HasSubstr(firstCell + puzzle->Solution[0]));
  const std::string ymd = std::to_string(day.Year) + "_" + std::to_string(day.Month) + "_";
  EXPECT_EQ(browser_.Get(solutionOf + ymd + std::to_string(day.Day) + "_77").Status, 200);
  for (const std::string& wrong :
       std::vector<std::string>{ymd + std::to_string(day.Day % 28 + 1) + "_77", "___77",
                                "1999_01_01_77", std::to_string(day.Year) + "_77"})
    EXPECT_EQ(browser_.Get(solutionOf + wrong).Status, 404) << wrong;
  EXPECT_EQ(browser_.Get(solutionOf + "2009_3_5_x").Status, 400);
  EXPECT_EQ(browser_.Get("/sudoku/gioco-offline/stampa-sudoku.asp?num=99999").Status, 404);
}

TEST_F(SiteCatalogue, CollectionsAreZipsOfThePuzzleFiles) {
  const std::string list = "/sudoku/download/file-download-list.asp?";
  EXPECT_THAT(browser_.Get(list + "when=01-01-2026&who=Anonimo").Body,
              HasSubstr("href=\"/sudoku/download/puzzles-2009-03.zip\""));
  const Answer zip = browser_.Get(list + "when=01-01-2026&who=Anonimo&what=puzzles-2009-03.zip");
  ASSERT_EQ(zip.Status, 200);
  EXPECT_EQ(zip.Headers.find("Content-Disposition")->second,
            "attachment; filename=\"puzzles-2009-03.zip\"");
  const std::vector<CataloguePuzzle> month = PuzzlesOfMonth(Store(), 2009, 3);

  // libzip reads the whole archive: every puzzle of the month, stored, the first one first. What
  // the files hold is checked as the game adds the collection to its library (e2e).
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(zip.Body.data(), zip.Body.size(), 0, &error);
  zip_t* archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
  ASSERT_NE(archive, nullptr) << zip_error_strerror(&error);
  EXPECT_EQ(zip_get_num_entries(archive, 0), zip_int64_t(month.size()));
  zip_stat_t stat;
  ASSERT_EQ(zip_stat_index(archive, 0, 0, &stat), 0);
  EXPECT_EQ(stat.comp_method, ZIP_CM_STORE);
  const std::string name = stat.name;
  EXPECT_EQ(name,
            CataloguePuzzleFileName(std::to_string(month[0].Number), DateText(month[0].Published)));
  zip_close(archive);

  EXPECT_EQ(browser_.Get(list + "what=puzzles-1999-01.zip").Status, 404);
  EXPECT_EQ(browser_.Get(list + "what=../etc/passwd").Status, 400);
  EXPECT_EQ(browser_.Get(list + "who=qualcuno").Status, 403);
}

// Site processes filling a new store at once: a month another made while this one waited for
// the store's write lock is left as the other made it.
TEST(SiteCatalogueSeed, AMonthIsMadeOnceWhenAnotherProcessMakesItFirst) {
  ScratchDir dir;
  const std::string store = StoreAt(dir / "site.db");
  auto late = OpenDb(store), early = OpenDb(store);
  early->BeginWrite();
  std::thread seeding([&] { SeedCatalogue(*late, 7, 2, {2008, 2, 10}); });
  std::this_thread::sleep_for(std::chrono::milliseconds(300));  // to wait for the lock
  early->Exec(
      "INSERT INTO puzzles (number, digits, solution, level, givens, symmetric, year, month, day, "
      "author) VALUES (1, 'd', 's', 1, 30, 0, 2008, 1, 1, 'Admin')");
  early->EndWrite(true);
  seeding.join();
  const std::vector<CataloguePuzzle> puzzles = PuzzlesFrom(*early, 1, 10);
  ASSERT_EQ(puzzles.size(), 2u);
  EXPECT_EQ(puzzles[0].Digits, "d");
  EXPECT_EQ(puzzles[1].Published.Month, 2);
}

}  // namespace
}  // namespace sudoku::site::testing
