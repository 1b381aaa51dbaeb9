#!/usr/bin/env bash
# Runs clang-tidy's naming checks (.clang-tidy) over the C++ sources changed since this branch
# left main, with the headers they include; over every source when there is no main to compare
# with. Usage: scripts/tidy_changed.sh BUILD_DIR (a configured build with compile_commands.json).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: $0 BUILD_DIR}

base=$(git merge-base HEAD main 2>/dev/null || git merge-base HEAD origin/main 2>/dev/null || true)
if [ -n "$base" ]; then
  changed=$( (git diff --name-only --diff-filter=ACMR "$base" -- '*.cpp' '*.h'
              git ls-files --others --exclude-standard -- '*.cpp' '*.h') | sort -u)
else
  changed=$(git ls-files -- '*.cpp' '*.h')
fi

# A changed header is checked through its own source file, when it has one.
declare -A wanted=()
for file in $changed; do
  [ -f "$file" ] || continue
  case $file in
    *.h) [ -f "${file%.h}.cpp" ] && wanted["${file%.h}.cpp"]=1 ;;
    *) wanted["$file"]=1 ;;
  esac
done
# Only sources the build compiles have their flags (the fuzz targets are built apart).
files=()
for file in "${!wanted[@]}"; do
  grep -q "\"file\": \"$PWD/$file\"" "$build/compile_commands.json" && files+=("$file")
done
[ ${#files[@]} -eq 0 ] && exit 0
echo "clang-tidy: ${#files[@]} changed source file(s)"
printf '%s\n' "${files[@]}" | xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet 2>/dev/null
