#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks the tree: the programs run from there
# without LD_LIBRARY_PATH, the game fills an empty game folder from the installed assets, and
# the desktop entry and the metainfo pass their validators.
set -euo pipefail
build=$1 prefix=$2
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
fail() { echo "FAIL: $*" >&2; exit 1; }

for file in bin/sudoku bin/sudoku-cli bin/sudoku-site share/sudoku-game/noconnect/sudoku.html \
    share/applications/org.sudokugame.Sudoku.desktop share/metainfo/org.sudokugame.Sudoku.metainfo.xml \
    share/icons/hicolor/scalable/apps/org.sudokugame.Sudoku.svg \
    share/icons/hicolor/48x48/apps/org.sudokugame.Sudoku.png lib/systemd/system/sudoku-site.service; do
  [ -e "$prefix/$file" ] || fail "$file is not installed"
done
ls "$prefix"/lib*/sudoku-game/libsudoku_atoms.so >/dev/null || fail "the atom-table library is not installed"

unset LD_LIBRARY_PATH
version=$("$prefix/bin/sudoku" --version) || fail "sudoku --version failed"
[[ $version == "sudoku "* ]] || fail "sudoku --version printed '$version'"
"$prefix/bin/sudoku" --help | grep -q SUDOKU_HOME || fail "sudoku --help does not name SUDOKU_HOME"
[[ $("$prefix/bin/sudoku-site" --version) == "sudoku-site "* ]] || fail "sudoku-site --version failed"
ldd "$prefix/bin/sudoku" | grep libsudoku_atoms | grep -q "$prefix" ||
  fail "the installed game does not load its own atom-table library"

# A puzzle only the installed tree has shows that the game took its assets from there.
cp "$prefix/share/sudoku-game/temi/"$(ls "$prefix/share/sudoku-game/temi" | grep -m1 '\.tema$') \
   "$prefix/share/sudoku-game/temi/zz-installed.tema"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
(cd / && SUDOKU_HOME="$home/game" SUDOKU_SITE=http://127.0.0.1:9 QT_QPA_PLATFORM=offscreen \
  QTWEBENGINE_DISABLE_SANDBOX=1 timeout 5 "$prefix/bin/sudoku" >/dev/null 2>&1) || true
[ -f "$home/game/temi/zz-installed.tema" ] || fail "the game folder was not filled from the installed assets"
[ -f "$home/game/noconnect/tada.wav" ] || fail "the game folder has no sounds"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/org.sudokugame.Sudoku.desktop"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/org.sudokugame.Sudoku.metainfo.xml" >/dev/null
fi
echo "install tree: ok"
