// The one place where the site's SQL, written as SQLite reads it, is rewritten for PostgreSQL.
#pragma once

#include <string>
#include <string_view>

namespace sudoku::site {

struct PostgresText {
  std::string Sql;
  int Parameters = 0;  // the highest parameter number the text uses
};

// Rewrites SQLite's statements (one or several, ';'-separated) for PostgreSQL: parameters "?"
// and "?N" become "$N"; INSERT OR IGNORE becomes ON CONFLICT DO NOTHING; IFNULL becomes
// COALESCE; the column name "symmetric", reserved in PostgreSQL, is quoted; in CREATE and ALTER
// statements INTEGER becomes BIGINT (an INTEGER PRIMARY KEY an identity column, numbered by the
// store as SQLite numbers its rowid) and TEXT compares and sorts byte by byte, as in SQLite. Quoted
// literals are kept as they are.
PostgresText PostgresSql(std::string_view sqlite);

}  // namespace sudoku::site
