// Puts the whole site together: every page group, and the catalogue seeded on the first start.
#include "site/catalogue.h"
#include "site/pages.h"

namespace sudoku::site {

void RegisterAllPages(Site& site) {
  SeedCatalogue(site.Store(), site.Options().Seed, site.Options().CataloguePuzzles, Today());
  RegisterAccountPages(site);
  RegisterCataloguePages(site);
  RegisterCollectionPages(site);
  RegisterActionPages(site);
  RegisterChallengePages(site);
}

}  // namespace sudoku::site
