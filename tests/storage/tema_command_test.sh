#!/usr/bin/env bash
# sudoku-cli tema: a puzzle file made from a line shows its seventeen plain records.
set -euo pipefail
cli=$1
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

puzzle=530070000600195000098000060800060003400803001700020006060000280000419005000080079
echo "$puzzle" | "$cli" tema make "$folder/p.tema" --creator Admin --level 3 --date 05/02/2006 --seed 4
expected="Admin

P0130
P023
P03
P04
P05
P0605/02/2006
G00151300001700000000
G01160000111915000000
G02001918000000001600
G03180000001600000013
G04140000180013000011
G05170000001200000016
G06001600000000121800
G07000000141119000015
G08000000001800001719"
diff <(echo "$expected") <("$cli" tema show "$folder/p.tema")

# Bad input: no file written, status 1, the line named; a missing file cannot be shown.
if echo "12345" | "$cli" tema make "$folder/bad.tema" 2>"$folder/err"; then exit 1; fi
grep -q "line 1:" "$folder/err"
if printf '%s\n%s\n' "$puzzle" "$puzzle" | "$cli" tema make "$folder/bad.tema" 2>/dev/null; then exit 1; fi
[ ! -e "$folder/bad.tema" ]
status=0; echo "$puzzle" | "$cli" tema make "$folder/bad.tema" --seed x 2>/dev/null || status=$?
[ "$status" = 2 ]  # a command of its own: set -e lets a failure before && pass
[ ! -e "$folder/bad.tema" ]
if "$cli" tema show "$folder/missing.tema"; then exit 1; fi

# --help, of the tool or of a command, prints the usage on standard output and succeeds.
"$cli" --help | grep -q "sudoku-cli tema show FILE"
"$cli" tema --help | grep -q "^usage: sudoku-cli tema show FILE"
echo "tema command: ok"
