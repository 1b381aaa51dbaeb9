// The catalogue as the game browses it: the title of ten fields, filters and paging; votes,
// publishing, the solution and the collections to download.
#include <gtest/gtest.h>
#include <zip.h>

#include <sstream>

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

class SiteCatalogue : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new ScratchDir;
    site_ = new RunningSite(*dir_ / "site.db", 600);
  }
  static void TearDownTestSuite() {
    delete site_;
    delete dir_;
  }
  Db& Store() { return site_->Inner().Store(); }
  Browser NewBrowser() { return Browser(site_->Port()); }

  static ScratchDir* dir_;
  static RunningSite* site_;
};
ScratchDir* SiteCatalogue::dir_ = nullptr;
RunningSite* SiteCatalogue::site_ = nullptr;

TEST_F(SiteCatalogue, TitleCarriesThePuzzleAndItsData) {
  Browser browser = NewBrowser();
  const auto expected = PuzzleAt(Store(), {2012, 0, false, 0}, 2);
  ASSERT_TRUE(expected);
  const std::string title = browser.Get(std::string(kSelect) + "2012_00_T_00_2_quillo").Title();
  EXPECT_EQ(title, expected->Digits + ";" + std::to_string(expected->Level) + ";" +
                       std::to_string(expected->Givens) + ";" + std::to_string(expected->Number) +
                       ";" + DateText(expected->Published) + ";0;0;quillo;0;0");
  EXPECT_EQ(CountSolutionsUpTo(expected->Digits, 2), 1);
}

TEST_F(SiteCatalogue, PagingFromZeroToPastTheEnd) {
  Browser browser = NewBrowser();
  const CatalogueFilter march{2015, 3, false, 0};
  const int total = CountMatches(Store(), march);
  ASSERT_GE(total, 2);
  const std::string base = std::string(kSelect) + "2015_3_T_00_";
  EXPECT_EQ(browser.Get(base + "0_quillo").Title(), browser.Get(base + "1_quillo").Title());
  EXPECT_NE(browser.Get(base + "2_quillo").Title(), browser.Get(base + "1_quillo").Title());
  const Answer last = browser.Get(base + std::to_string(total) + "_quillo");
  EXPECT_EQ(Fields(last.Title())[4].substr(2), "/03/2015");
  const Answer past = browser.Get(base + std::to_string(total + 1) + "_quillo");
  EXPECT_EQ(past.Status, 200);
  EXPECT_EQ(past.Title().find(';'), std::string::npos);
  // The marker may be an address; it is the game's and changes nothing.
  EXPECT_EQ(
      browser.Get(base + "1_http://127.0.0.1:8642/sudoku/gioco-offline/altri-sudoku-3.asp").Title(),
      browser.Get(base + "1_quillo").Title());
}

TEST_F(SiteCatalogue, FiltersByMonthKindAndGivens) {
  Browser browser = NewBrowser();
  for (int page = 1; page <= 4; ++page) {
    const auto symmetric = Fields(
        browser.Get(std::string(kSelect) + "2020_00_S_00_" + std::to_string(page) + "_quillo")
            .Title());
    ASSERT_EQ(symmetric.size(), 10u);
    EXPECT_TRUE(PuzzleByNumber(Store(), std::stoi(symmetric[3]))->Symmetric);
    const auto given = Fields(
        browser.Get(std::string(kSelect) + "2020_00_T_26_" + std::to_string(page) + "_quillo")
            .Title());
    if (given.size() == 10) {
      EXPECT_EQ(given[2], "26");
    }
  }
  EXPECT_EQ(browser.Get(std::string(kSelect) + "2020_00_T_81_1_quillo").Title().find(';'),
            std::string::npos);
}

TEST_F(SiteCatalogue, EveryTwentyFifthPageSendsTheGameToOtherPuzzles) {
  Browser browser = NewBrowser();
  ASSERT_GE(CountMatches(Store(), {2010, 0, false, 0}), 25);
  const auto fields = Fields(browser.Get(std::string(kSelect) + "2010_00_T_00_25_quillo").Title());
  ASSERT_EQ(fields.size(), 10u);
  const std::string prefix = "http://127.0.0.1:" + std::to_string(site_->Port());
  ASSERT_EQ(fields[7].rfind(prefix + "/sudoku/gioco-offline/altri-sudoku-", 0), 0u);
  EXPECT_NE(fields[9], "0");
  EXPECT_EQ(browser.Get(fields[7].substr(prefix.size())).Status, 200);

  // The address comes from the Host header only when that is a plain host and port.
  httplib::Client raw("127.0.0.1", site_->Port());
  for (const std::string& host : {std::string(8000, 'a'), std::string("a\"b:80")}) {
    const auto answer =
        raw.Get((std::string(kSelect) + "2010_00_T_00_25_quillo").c_str(), {{"Host", host}});
    ASSERT_TRUE(answer);
    Answer page;
    page.Body = answer->body;
    EXPECT_EQ(Fields(page.Title())[7].rfind("http://127.0.0.1/sudoku/", 0), 0u);
  }
}

TEST_F(SiteCatalogue, MalformedSelectionsGetABadRequestPage) {
  Browser browser = NewBrowser();
  for (const char* of : {"", "abc", "2026_13_T_00_1_quillo", "2026_1_X_00_1_quillo",
                         "2026_1_T_00_-1_quillo", "2026_1_T", "99999999999_1_T_00_1_q"}) {
    const Answer answer = browser.Get(std::string(kSelect) + of);
    EXPECT_EQ(answer.Status, 400) << of;
    EXPECT_EQ(answer.Title().find(';'), std::string::npos) << of;
  }
}

TEST_F(SiteCatalogue, AVoteCountsOncePerUser) {
  Browser anna = NewBrowser(), bruno = NewBrowser(), guest = NewBrowser();
  anna.SignUp("votante1");
  bruno.SignUp("votante2");
  const std::string page = "/sudoku/gioco-offline/vota-sudoku.asp?num=5";
  EXPECT_EQ(guest.Post(page, "voto=9").Status, 403);
  EXPECT_EQ(anna.Post(page, "voto=11").Status, 400);
  anna.Post(page, "voto=8");
  anna.Post(page, "voto=1");
  const Answer afterBruno = bruno.Post(page, "voto=3");
  EXPECT_NE(afterBruno.Body.find("Media voti: 5.5 - Votanti: 2"), std::string::npos);
  EXPECT_NE(afterBruno.Body.find("gi\u00e0 votato"), std::string::npos);
  const auto puzzle = PuzzleByNumber(Store(), 5);
  const std::string month = std::string(kSelect) + std::to_string(puzzle->Published.Year) + "_" +
                            std::to_string(puzzle->Published.Month) + "_T_00_";
  bool seen = false;
  for (int n = 1; n <= 9 && !seen; ++n) {
    const auto fields = Fields(guest.Get(month + std::to_string(n) + "_quillo").Title());
    if (fields.size() == 10 && fields[3] == "5") {
      EXPECT_EQ(fields[5] + ";" + fields[6], "5.5;2");
      seen = true;
    }
  }
  EXPECT_TRUE(seen);
}

TEST_F(SiteCatalogue, PublishingAcceptsOnlyNewUniquePuzzlesOfTheSessionUser) {
  Browser author = NewBrowser();
  author.SignUp("autore");
  SeededRandom random(4242);
  const MadePuzzle made = MakePuzzle(random, false, 24);
  const std::string publish = "/sudoku/gioco-offline/pubblica-sudoku.asp?who=autore&pz=";
  EXPECT_EQ(
      author.Get("/sudoku/gioco-offline/pubblica-sudoku.asp?who=altro&pz=" + made.Digits).Status,
      403);
  EXPECT_EQ(NewBrowser().Get(publish + made.Digits).Status, 403);

  const Answer accepted = author.Get(publish + made.Digits);
  EXPECT_NE(accepted.Body.find("pubblicato con il numero"), std::string::npos);
  EXPECT_NE(author.Get(publish + made.Digits).Body.find("gi\u00e0 pubblicato"), std::string::npos);

  std::string crowded = made.Digits;  // 31 givens, still unique
  for (std::size_t i = 0; std::count(crowded.begin(), crowded.end(), '0') > 50; ++i)
    if (crowded[i] == '0') crowded[i] = made.Solution[i];
  EXPECT_NE(author.Get(publish + crowded).Body.find("pi\u00f9 di 30"), std::string::npos);

  std::string sparse = made.Digits;  // 14 givens
  for (std::size_t i = 0; std::count(sparse.begin(), sparse.end(), '0') < 67; ++i) sparse[i] = '0';
  EXPECT_NE(author.Get(publish + sparse).Body.find("meno di 15"), std::string::npos);

  std::string several = made.Digits;  // 20 givens: not unique any more
  for (std::size_t i = 0; std::count(several.begin(), several.end(), '0') < 61; ++i)
    several[i] = '0';
  ASSERT_GE(CountSolutionsUpTo(several, 2), 2);
  EXPECT_NE(author.Get(publish + several).Body.find("pi\u00f9 di una soluzione"),
            std::string::npos);

  std::string clash = made.Digits;  // a given repeated in its row
  const std::size_t open = clash.find('0');
  const std::size_t rowStart = open / 9 * 9;
  for (std::size_t i = rowStart; i < rowStart + 9; ++i)
    if (clash[i] != '0') clash[open] = clash[i];
  EXPECT_NE(author.Get(publish + clash).Body.find("non ammette soluzioni"), std::string::npos);
  EXPECT_NE(author.Get(publish + "12345").Body.find("81 cifre"), std::string::npos);
}

TEST_F(SiteCatalogue, SolutionAndPrintPagesFindThePuzzleByNumber) {
  Browser browser = NewBrowser();
  const auto puzzle = PuzzleByNumber(Store(), 77);
  const Answer solution = browser.Get("/sudoku/gioco-offline/soluzioni.asp?of=___77");
  EXPECT_EQ(solution.Status, 200);
  const std::string firstCell = puzzle->Digits[0] == '0' ? "class=\"c0 s\">" : "class=\"c0\">";
  EXPECT_NE(solution.Body.find(firstCell + puzzle->Solution[0]), std::string::npos);
  EXPECT_EQ(browser.Get("/sudoku/gioco-offline/soluzioni.asp?of=2009_3_5_x").Status, 400);
  EXPECT_EQ(browser.Get("/sudoku/gioco-offline/stampa-sudoku.asp?num=99999").Status, 404);
  EXPECT_EQ(browser.Get("/sudoku/gioco-offline/stampa-sudoku.asp?num=77").Status, 200);
}

TEST_F(SiteCatalogue, CollectionsAreZipsOfThePuzzleFiles) {
  Browser browser = NewBrowser();
  const Answer list =
      browser.Get("/sudoku/download/file-download-list.asp?when=01-01-2026&who=Anonimo");
  EXPECT_NE(list.Body.find("href=\"/sudoku/download/puzzles-2009-03.zip\""), std::string::npos);

  const Answer zip = browser.Get(
      "/sudoku/download/"
      "file-download-list.asp?when=01-01-2026&who=Anonimo&what=puzzles-2009-03.zip");
  ASSERT_EQ(zip.Status, 200);
  EXPECT_EQ(zip.Headers.at("content-disposition"), "attachment; filename=\"puzzles-2009-03.zip\"");
  const auto first = PuzzlesOfMonth(Store(), 2009, 3).front();

  // libzip reads the whole archive: every puzzle of the month, stored, the first one first.
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(zip.Body.data(), zip.Body.size(), 0, &error);
  zip_t* archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
  ASSERT_NE(archive, nullptr) << zip_error_strerror(&error);
  EXPECT_EQ(zip_get_num_entries(archive, 0), zip_int64_t(PuzzlesOfMonth(Store(), 2009, 3).size()));
  zip_stat_t stat;
  ASSERT_EQ(zip_stat_index(archive, 0, 0, &stat), 0);
  EXPECT_EQ(stat.comp_method, ZIP_CM_STORE);
  const std::string name = stat.name;
  EXPECT_EQ(name, CataloguePuzzleFileName(std::to_string(first.Number), DateText(first.Published)));
  std::string content(stat.size, '\0');
  zip_file_t* entry = zip_fopen_index(archive, 0, 0);
  EXPECT_EQ(zip_fread(entry, content.data(), stat.size), zip_int64_t(stat.size));
  zip_fclose(entry);
  zip_close(archive);

  ScratchDir dir;
  sudoku::test::WriteBytes(dir / name, content);
  const PuzzleFile file = ReadPuzzleFile(dir / name);
  EXPECT_EQ(file.Info.NumeroSchema, std::to_string(first.Number));
  EXPECT_EQ(file.Schema[0], first.Digits[0] == '0' ? "00" : std::string("1") + first.Digits[0]);
  EXPECT_EQ(file.Schema[8 * 9 + 1],
            first.Digits[17] == '0' ? "00" : std::string("1") + first.Digits[17]);

  EXPECT_EQ(browser.Get("/sudoku/download/file-download-list.asp?what=puzzles-1999-01.zip").Status,
            404);
  EXPECT_EQ(browser.Get("/sudoku/download/file-download-list.asp?what=../etc/passwd").Status, 400);
  EXPECT_EQ(browser.Get("/sudoku/download/file-download-list.asp?who=qualcuno").Status, 403);
}

}  // namespace
}  // namespace sudoku::site::testing
