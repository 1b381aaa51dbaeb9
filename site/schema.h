// The tables of the site and their history: one numbered list of steps for both stores.
#pragma once

#include "site/db.h"

namespace sudoku::site {

// Runs the steps the store has not had yet, in one write transaction, and records its version.
void UpdateSchema(Db& db);

}  // namespace sudoku::site
