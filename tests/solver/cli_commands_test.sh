#!/usr/bin/env bash
# sudoku-cli count, steps, hint and reduce end to end: outputs, skipped lines, errors, exit statuses.
set -u
cli=$1
failures=0
check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then
    echo "FAIL $1"; echo "  expected: $2"; echo "  actual:   $3"; failures=$((failures + 1))
  fi
}

solution=534678912672195348198342567859761423426853791713924856961537284287419635345286179
empty=$(printf '.%.0s' {1..81})
# The solution with the cells (col 3,row 1), (col 9,row 9) and (col 1,row 2) emptied.
three=${solution:0:2}.${solution:3:6}.${solution:10:70}.

out=$(printf '# a comment\n\n%s\r\n%s 5 hard\n' "$solution" "$three" | "$cli" count)
check "count solved and nearly solved" "1 $solution 0
1 $solution 0" "$out"

out=$(echo "$empty" | "$cli" count --limit 3)
check "count stops at the limit" "3" "${out%% *}"
check "first solution in column-major order" "1" "${out:2:1}"

out=$(echo "$three" | "$cli" steps)
check "steps in column-major scan order" "3 126 314 999" "$out"

out=$(echo "$three" | "$cli" steps --explain --lang it)
check "steps explained, Italian in UTF-8" "1 2 6	Colonna 1, riga 2: 6 - ultima cifra che manca nella riga 2" "$(echo "$out" | sed -n 2p)"
check "steps explained, one line each" "4" "$(echo "$out" | wc -l)"

# Thirteen empty cells with a wrong entry at (col 1, row 1): no solution, no hint; then without it.
thirteen=.........${solution:9:2}.${solution:12:1}.${solution:14:1}.${solution:16:65}
out=$(printf '%s 6%s\n%s\n%s\n%s\n' "$thirteen" "${empty:1}" "$thirteen" "$three" "$empty" |
  "$cli" hint --seed 3)
check "hints and refusals" "no hint: the grid has no solution
7 2 3	Column 7, row 2: 3 - the only place for 3 in row 2
no hint: the grid has no more than 10 empty cells
no hint: the grid has more than one solution" "$out"

reduced=$(echo "$solution" | "$cli" reduce)
check "reduce keeps a unique puzzle" "1 $solution 0" "$(echo "$reduced" | "$cli" count | sed 's/ [0-9]*$/ 0/')"
out=$(printf '%s\n%s\n' "$empty" "$(echo "$solution" | sed 's/^5/3/')" | "$cli" reduce)
check "reduce refuses" "more than one solution
no solution" "$out"

out=$(printf '%s\nabc\n%s5\n' "$solution" "$solution" | "$cli" count 2>/tmp/cli_err.$$)
check "bad lines skipped, exit 1, named" "1 $solution 0|1|2" "$out|$?|$(grep -c -E 'line (2|3):' /tmp/cli_err.$$)"
# A line without end is dropped as it streams by, never held whole in memory.
out=$( (head -c 64000000 /dev/zero | tr '\0' '1'; printf '\n%s\n' "$solution") |
  (ulimit -v 30000; "$cli" count) 2>/tmp/cli_err.$$)
check "overlong line skipped, exit 1, named" "1 $solution 0|1|1" "$out|$?|$(grep -c 'line 1:' /tmp/cli_err.$$)"
rm -f /tmp/cli_err.$$

generated=$("$cli" generate --count 4 --givens 24 --symmetric --seed 9)
check "generate lines" "4" "$(echo "$generated" | grep -c -E '^[1-9.]{81} [1-5]$')"
check "generated puzzles are unique" "1 1 1 1" "$(echo "$generated" | "$cli" count | cut -d' ' -f1 | tr '\n' ' ' | sed 's/ $//')"
check "generate is reproducible" "$generated" "$("$cli" generate --count 4 --givens 24 --symmetric --seed 9)"
check "generate --level" "5 5" "$("$cli" generate --count 2 --level 5 --seed 3 | cut -d' ' -f2 | tr '\n' ' ' | sed 's/ $//')"

# Usage errors, too few givens and a level above 5 among them.
for args in "count --limit zero" "steps extra" "steps --lang fr" "hint --seed" "" \
    "generate --givens 12" "generate --level 6"; do
  "$cli" $args </dev/null 2>/dev/null; check "usage: $args" "2" "$?"
done

[ "$failures" -eq 0 ] && echo "cli commands: all passed"
exit "$failures"
