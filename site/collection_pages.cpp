// The monthly collections: the list of zip files to download and each zip, holding the month's
// puzzles as the game's own puzzle files, built once and kept until the month changes.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "site/catalogue.h"
#include "site/html.h"
#include "site/pages.h"
#include "site/query.h"
#include "site/sessions.h"
#include "site/shared_state.h"
#include "site/zip_archive.h"
#include "storage/puzzle_file.h"

namespace sudoku::site {
namespace {

constexpr const char* kList = "/sudoku/download/file-download-list.asp";

std::string Two(int value) {
  return (value < 10 ? "0" : "") + std::to_string(value);
}

std::string CollectionName(int year, int month) {
  return "puzzles-" + std::to_string(year) + "-" + Two(month) + ".zip";
}

// The host of an address "scheme://host:port/...": the site's name the puzzle files carry.
std::string HostOf(const std::string& address) {
  const std::size_t scheme = address.find("://");
  std::string host = address.substr(scheme == std::string::npos ? 0 : scheme + 3);
  host = host.substr(0, host.find('/'));
  const std::size_t port = host.rfind(':');
  if (port != std::string::npos && host.find(']', port) == std::string::npos) host.resize(port);
  return host;
}

// Where puzzle files are written on their way into a zip: memory-backed when the system has
// such a folder, as the game's writer flushes each file to its disk (2,500 flushes took 17 s).
std::filesystem::path ScratchFolder() {
  std::error_code error;
  const std::filesystem::path memory = "/dev/shm";
  if (std::filesystem::is_directory(memory, error) && ::access(memory.c_str(), W_OK) == 0)
    return memory;
  return std::filesystem::temp_directory_path();
}

// The bytes of one puzzle file, written by the game's own writer through a scratch file.
std::string PuzzleFileBytes(const CataloguePuzzle& p, const std::string& domain,
                            const std::filesystem::path& scratch, Random& random) {
  PuzzleInfo info;
  info.Creatore = "Admin";
  info.Tipologia = "da " + domain;
  info.NumBase = std::to_string(p.Givens);
  info.Livello = std::to_string(p.Level);
  info.MediaVoti = p.AverageVote();
  info.Votanti = std::to_string(p.Voters);
  info.NumeroSchema = std::to_string(p.Number);
  info.DataPubblicazione = DateText(p.Published);
  std::array<int, 81> givens{};
  for (int row = 0; row < 9; ++row)
    for (int col = 0; col < 9; ++col)
      givens[std::size_t(col * 9 + row)] = p.Digits[std::size_t(row * 9 + col)] - '0';
  WritePuzzleFile(scratch, info, givens, random);
  std::ifstream in(scratch, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string CollectionZip(Db& db, const std::string& domain, int year, int month) {
  const auto puzzles = PuzzlesOfMonth(db, year, month);
  if (puzzles.empty()) return {};
  const std::filesystem::path scratch =
      ScratchFolder() / ("sudoku-site-" + RandomToken() + ".tema");
  SeededRandom random(std::uint64_t(year) * 100 + std::uint64_t(month));
  std::vector<std::pair<std::string, std::string>> files;
  try {
    for (const CataloguePuzzle& p : puzzles)
      files.emplace_back(CataloguePuzzleFileName(std::to_string(p.Number), DateText(p.Published)),
                         PuzzleFileBytes(p, domain, scratch, random));
  } catch (...) {
    std::filesystem::remove(scratch);
    throw;
  }
  std::filesystem::remove(scratch);
  return ZipArchive(files);
}

// Sends the collection of a name "puzzles-YYYY-MM.zip" as an attachment.
void SendCollection(Visit& visit, const std::string& name) {
  static const std::regex kName(R"(puzzles-(\d{4})-(\d{2})\.zip)");
  std::smatch parts;
  if (!std::regex_match(name, parts, kName)) throw BadRequest{"nome della raccolta"};
  const int year = std::stoi(parts[1]), month = std::stoi(parts[2]);
  // Only months that can hold puzzles are built and kept, so the cache stays small.
  if (month < 1 || month > 12 || year < 2000 || year > Today().Year) {
    visit.Html("raccolta non trovata", Paragraph("Raccolta non trovata."), 404);
    return;
  }
  Site& site = visit.Owner;
  const std::int64_t version = CounterValue(site.Store(), CollectionCounter(year, month));
  const auto zip = site.Collections().Get(year, month, version, [&] {
    return CollectionZip(site.Store(), HostOf(site.PublicUrl()), year, month);
  });
  if (zip->empty()) {
    visit.Html("raccolta non trovata", Paragraph("Raccolta non trovata."), 404);
    return;
  }
  visit.Res.SetHeader("Content-Disposition", "attachment; filename=\"" + name + "\"");
  visit.Res.SetSharedContent(zip, "application/zip");
}

void ListPage(Visit& visit) {
  const std::string who = visit.Param("who");
  if (!who.empty() && Lower(who) != "anonimo") visit.RequireUser(who);
  if (visit.Has("what")) return SendCollection(visit, visit.Param("what"));
  std::string body = "<h3>Raccolte di schemi</h3>\n" +
                     Paragraph("Ogni raccolta contiene gli schemi pubblicati in un mese.") + "<ul>";
  int year = 0;
  for (const auto& [y, m] : PublishedMonths(visit.Owner.Store())) {
    if (y != year) {
      body += (year ? "</li>" : "") + std::string("<li>") + std::to_string(y) + ": ";
      year = y;
    }
    body += Link("/sudoku/download/" + CollectionName(y, m), Two(m)) + " ";
  }
  visit.Html("raccolte", body + (year ? "</li>" : "") + "</ul>\n");
}

void CollectionFile(Visit& visit) {
  const std::string path = visit.Req.Path;
  SendCollection(visit, path.substr(path.rfind('/') + 1));
}

}  // namespace

void RegisterCollectionPages(Site& site) {
  site.Page(kList, ListPage);
  site.Pattern(R"(/sudoku/download/puzzles-[0-9]{4}-[0-9]{2}\.zip)", CollectionFile);
}

}  // namespace sudoku::site
