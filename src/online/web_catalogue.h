// The web catalogue tab: the site's published puzzles one page at a time with their filters and
// paging, loading the shown puzzle into the library, the panel of other puzzles, and the
// download of monthly collections.
#pragma once

#include <filesystem>
#include <string>

#include "online/main_window.h"

namespace sudoku {

// How the shell drives it: the pane events and control events below under their names.
class WebCatalogue {
 public:
  explicit WebCatalogue(MainWindow& window) : w_(window) {}

  void WBTrascinaTitleChange(const std::string& title);
  void wbAltriSudokuDocumentComplete();
  void ParseCatalogueAddress();

  void SBApplicaFiltriClick();
  void RBTuttiClick();
  void RBSimmetriciClick();
  void RGnbaseClick();
  void CBMeseChange();
  void CBAnnoChange();
  void SBAvantiWBClick();
  void SBIndietroWBClick();
  void SBLoadFromWebClick();

  // Before each navigation of the collections pane: a click on a collection file becomes the
  // site's download request. True when it started that request (the shell then drops the
  // navigation that raised the event, which the new one replaces).
  bool WBdownloadBeforeNavigate2(const std::string& address);
  // Whether a download comes from the site's collection address (its list page asked for one
  // file); no other download is offered as a collection.
  bool IsCollectionDownload(const std::string& address) const;
  // The site sends a collection file: whether the user wants it saved into the library folder.
  bool CollectionDownloadRequested(const std::string& fileName);
  // The collection was saved at `zip`: offers to add its puzzles to the library.
  void CollectionDownloaded(const std::filesystem::path& zip);
  // The download of `zip` broke off: nothing of it stays.
  void CollectionDownloadFailed(const std::filesystem::path& zip);

 private:
  // The selection address with the given first five components and the current marker.
  std::string SelectionAddress(const std::string& components) const;
  void AskToConnect();
  // One of the two kinds ("Tutti", "Simmetrici") chosen: any givens, a month, applied.
  void ChooseKind(bool symmetric);
  // Radio buttons and givens group as a month other than "00" leaves them.
  void FitFiltersToMonth();
  void Page(int step);

  MainWindow& w_;
};

}  // namespace sudoku
