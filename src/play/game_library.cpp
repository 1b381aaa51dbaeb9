// The puzzle library: listing temi/*.tema in LVsudoku with the solved marks, sorting it, loading
// the chosen puzzle, the title, and resetting the game.
#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>
#include <unordered_set>
#include <vector>

#include "play/file_name_text.h"
#include "play/game.h"
#include "play/library_sort.h"
#include "play/statistics_file.h"
#include "play/text_utils.h"
#include "storage/puzzle_file.h"

namespace sudoku {
namespace {

constexpr char kSolvedMark[] = "\xAE";

// Column k > 0 of a row is its sub-item k - 1.
const std::string& Column(const ListRow& row, int column) {
  static const std::string empty;
  const std::size_t index = std::size_t(column - 1);
  return index < row.subItems.size() ? row.subItems[index] : empty;
}

// Sign-preserving "1000 x difference, rounded" as the list's comparison result.
int ScaledDifference(double difference) {
  const double scaled = std::round(1000.0 * difference);
  return scaled < 0 ? -1 : scaled > 0 ? 1 : 0;
}

double ListNumber(const std::string& text) {
  std::optional<double> value = ParseListNumber(text);
  if (!value) throw std::runtime_error("'" + text + "' is not a valid floating point value");
  return *value;
}

// The file names under temi whose extension (the text after the first ".") is exactly "tema".
std::vector<std::string> PuzzleFileNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    const std::size_t dot = name.find('.');
    if (dot != std::string::npos && name.compare(dot + 1, std::string::npos, "tema") == 0) {
      names.push_back(name);
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

void Game::SetNomeFile(const std::string& name) {
  if (controls.enomefile.text == name) return;
  controls.enomefile.text = name;
  enomefileChange();
}

void Game::AggiornaElenco() {
  std::vector<std::string> solved;
  try {
    solved = ReadSolvedNames(StatisticsPath(CartellaBase));
  } catch (const std::exception& error) {
    ReportError(error.what());
  }
  ListView& list = controls.LVsudoku;
  list.rows.clear();
  list.selected = -1;
  const std::filesystem::path folder = CartellaBase / "temi";
  const std::unordered_set<std::string> solvedNames(solved.begin(), solved.end());
  for (const std::string& fileName : PuzzleFileNames(folder)) {
    PuzzleInfo info;  // a file that cannot be read at all is listed with empty fields
    try {
      info = InfoLibreria.Read(folder / fileName);
    } catch (const std::exception&) {
    }
    const std::string name = TextFromFileName(fileName);
    const bool isSolved = solvedNames.count(name) > 0;
    list.rows.push_back({name,
                         {info.NumeroSchema, info.DataPubblicazione, info.NumBase, info.Livello,
                          isSolved ? kSolvedMark : "", info.MediaVoti}});
  }
  InfoLibreria.Save();
  SortLibrary();
}

int Game::LVsudokuCompare(const ListRow& row1, const ListRow& row2) const {
  switch (ColonnaOrdinamento) {
    case 0:
      return CompareText(row1.caption, row2.caption);
    case 1:
    case 3:
    case 4:
      return ScaledDifference(ListNumber(Column(row1, ColonnaOrdinamento)) -
                              ListNumber(Column(row2, ColonnaOrdinamento)));
    case 2: {
      const DateTime now = clock.Now();
      const long today = DaysSinceEpoch(now.year, now.month, now.day);
      const long date1 = ParseListDate(Column(row1, 2), now).value_or(today);
      const long date2 = ParseListDate(Column(row2, 2), now).value_or(today);
      return ScaledDifference(double(date1 - date2));
    }
    case 5:
    case 6:
      return CompareText(Column(row1, ColonnaOrdinamento), Column(row2, ColonnaOrdinamento));
    default:
      return 0;
  }
}

// Sorts the rows ascending by ColonnaOrdinamento, keeping the selection on its row. A column
// that does not read as numbers is reported once and the rows keep their order.
void Game::SortLibrary() {
  ListView& list = controls.LVsudoku;
  std::vector<std::size_t> order(list.rows.size());
  std::iota(order.begin(), order.end(), 0);
  try {
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
      return LVsudokuCompare(list.rows[a], list.rows[b]) < 0;
    });
  } catch (const std::exception& error) {
    ReportError(error.what());
    return;
  }
  std::vector<ListRow> sorted;
  sorted.reserve(order.size());
  int selected = -1;
  for (std::size_t k = 0; k < order.size(); ++k) {
    if (int(order[k]) == list.selected) selected = int(k);
    sorted.push_back(std::move(list.rows[order[k]]));
  }
  list.rows = std::move(sorted);
  list.selected = selected;
}

void Game::LVsudokuColumnClick(int column) {
  ColonnaOrdinamento = column;
  SortLibrary();
}

std::filesystem::path Game::PuzzlePath(const std::string& name) const {
  const std::filesystem::path folder = CartellaBase / "temi";
  const std::filesystem::path converted = folder / FileNameFromText(name);
  std::error_code error;
  // A name outside Latin-1 is listed with its own bytes, which name the file as they stand.
  if (!std::filesystem::exists(converted, error) && std::filesystem::exists(folder / name, error)) {
    return folder / name;
  }
  return converted;
}

std::optional<PuzzleFile> Game::ReadChosenPuzzle(const std::string& name) {
  const std::filesystem::path path = PuzzlePath(name);
  try {
    PuzzleFile puzzle = ReadPuzzleFile(path);
    if (puzzle.GridIsComplete()) return puzzle;
  } catch (const std::exception& error) {
    ReportError(error.what());
    return std::nullopt;
  }
  ReportError(
      std::string(Tr("Il file non contiene uno schema: ", "The file does not hold a puzzle: ")) +
      TextFromPath(path));
  return std::nullopt;
}

bool Game::CaricaSchema() {
  // The file is read and checked first: a file that is not a puzzle changes nothing.
  const std::optional<PuzzleFile> puzzle = ReadChosenPuzzle(controls.enomefile.text);
  if (!puzzle) return false;
  // The step records belong to the board they were found on: a new puzzle ends their replay.
  steps.NumPassi = 0;
  steps.PassoCorrente = 0;
  steps.PassoPasso = false;
  ShowExplanation(std::nullopt);
  AzzeraGriglia();
  const PuzzleInfo& info = puzzle->Info;
  controls.ECreatore.text = info.Creatore;
  controls.ETipologia.text = info.Tipologia;
  controls.ENumBase.text = info.NumBase;
  controls.ELivello.text = info.Livello;
  controls.EMediaVoti.text = info.MediaVoti;
  controls.EVotanti.text = info.Votanti;
  controls.ENumeroSchema.text = info.NumeroSchema;
  controls.EDataPubblicazione.text = info.DataPubblicazione;
  board.Schema = puzzle->Schema;

  solvedAnnounced_ = false;
  AggiornaGriglia();
  RememberStoredBoard();

  Storico.StartFromGivens(board);
  return true;
}

void Game::LVsudokuDblClick() {
  const ListRow* selected = controls.LVsudoku.Selected();
  if (selected == nullptr) return;
  // A file that is not a puzzle is refused before anything changes: the game in hand stays.
  if (!ReadChosenPuzzle(selected->caption)) return;
  controls.RicominciaPartita.enabled = true;
  SetNomeFile(selected->caption);
  if (CaricaSchema()) Restart1Click();
}

void Game::enomefileChange() {
  if (const ListRow* selected = controls.LVsudoku.Selected()) {
    controls.LTitle.caption = "Puzzle n\xB0" + Column(*selected, 1) + " del " +
                              Column(*selected, 2) + " level " + Column(*selected, 4);
  } else if (ComponentiCatalogo[1] != "z0") {
    controls.LTitle.caption =
        "Puzzle n\xB0" + CampiTitolo[4] + " del " + CampiTitolo[5] + " level " + CampiTitolo[2];
  }
}

void Game::ClearGame() {
  StampaInAttesa = false;
  steps.NumPassi = 0;
  steps.PassoCorrente = 0;
  steps.PassoPasso = false;
  ShowExplanation(std::nullopt);
  Secondi = 0;
  Storico.Clear();
  AzzeraGriglia();
  Tasto = NavigationKey::None;
  solvedAnnounced_ = false;
}

void Game::AzzeraGioco() {
  SetNomeFile("");
  controls.RicominciaPartita.enabled = false;
  ClearGame();
  AggiornaElenco();

  const int year = clock.Now().year;
  ComboBox& years = controls.CBAnno;
  years.items.clear();
  years.itemIndex = -1;
  for (int y = 2008; y <= year; ++y) {
    if (y == year) years.itemIndex = int(years.items.size());
    years.items.push_back(std::to_string(y));
  }
  ComboBox& months = controls.CBMese;
  months.items.clear();
  for (int m = 0; m <= 12; ++m) months.items.push_back((m < 10 ? "0" : "") + std::to_string(m));
  months.itemIndex = Mese <= 12 ? int(Mese) : -1;
  ComponentiCatalogo[1] = "z0";
}

void Game::ApriSchemalocale1Click() {
  controls.PageControl1.activePage = "TSSudokuFile";
  controls.PageControl2.activePage = "TSLocale";
  TSLocaleShow();
}

void Game::TSLocaleShow() {
  AggiornaElenco();
}

}  // namespace sudoku
