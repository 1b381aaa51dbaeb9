// Puts the whole site together: every page group, and the catalogue filled on the first start.
#include "site/catalogue.h"
#include "site/pages.h"

namespace sudoku::site {

void RegisterAllPages(Site& site) {
  RegisterAccountPages(site);
  RegisterCataloguePages(site);
  RegisterCollectionPages(site);
  RegisterActionPages(site);
  RegisterChallengePages(site);
}

void FillCatalogue(Site& site, const std::atomic<bool>* stop) {
  // A store kept busy by another writer for longer than a write waits only puts the fill off.
  for (int attempt = 1;; ++attempt) {
    try {
      SeedCatalogue(site.Store(), site.Options().Seed, site.Options().CataloguePuzzles, Today(),
                    stop);
      return;
    } catch (const DbBusy&) {
      if (attempt == 5) throw;
    }
  }
}

}  // namespace sudoku::site
