// The page groups of the site, each registering its paths.
#pragma once

#include "site/site.h"

namespace sudoku::site {

void RegisterAccountPages(Site& site);
void RegisterCataloguePages(Site& site);
void RegisterCollectionPages(Site& site);
void RegisterActionPages(Site& site);
void RegisterChallengePages(Site& site);

}  // namespace sudoku::site
