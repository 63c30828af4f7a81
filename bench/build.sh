#!/usr/bin/env bash
# The build's figures: how much each applet source makes the compiler read (preprocessed
# lines), beside the floor every one of them reads (<windows.h> and the framework's string,
# which the settings library's declarations need); and for each preset, with two jobs, the
# wall time of a clean build and of the applet's library alone (its dependencies built
# first), beside the floor no change of ours moves: GoogleTest alone, built the same way in
# the same run.
#
#   bench/build.sh [--source DIR] [PRESET ...]     DIR defaults to this tree, PRESET to both
#
# Builds in scratch folders under /tmp and removes them. Not a test: it prints figures.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
src=$root
if [ "${1:-}" = --source ]; then src=$(cd "$2" && pwd); shift 2; fi
presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(win32 win64)

defs="-std=c++20 -DWIN32_LEAN_AND_MEAN -DNOMINMAX -D_WIN32_WINNT=0x0601 -DWINVER=0x0601"
incs="-I$src/framework -I$src/applet/frame -I$src/applet/pages -I$src/applet/settings -I$src/applet/res"
lines() { i686-w64-mingw32-g++ $defs $incs -E -x c++ "$1" 2>/dev/null | wc -l; }
floor=$(printf '#include <windows.h>\n#include "CString.h"\n' | lines -)
echo "preprocessed lines (i686), floor <windows.h> + CString.h: $floor"
for f in "$src"/applet/pages/*Page.cpp "$src"/applet/frame/*.cpp; do
  printf '  %-22s %6d\n' "$(basename "$f")" "$(lines "$f")"
done

seconds() { local s; s=$(date +%s.%N); "$@" >/dev/null 2>&1; echo "$(date +%s.%N) - $s" | bc; }
for p in "${presets[@]}"; do
  all=$(mktemp -d) gtest=$(mktemp -d)
  cmake --preset "$p" -S "$src" -B "$all" -DKELVORA_DIST_DIR="$all/dist" >/dev/null
  cmake --preset "$p" -S "$src" -B "$gtest" -DKELVORA_DIST_DIR="$gtest/dist" >/dev/null
  t_gtest=$(seconds cmake --build "$gtest" --target gtest gtest_main -j2)
  cmake --build "$gtest" --target kelvora_framework -j2 >/dev/null
  t_applet=$(seconds cmake --build "$gtest" --target kelvora_applet -j2)
  t_all=$(seconds cmake --build "$all" -j2)
  printf '%s: clean build %.0f s, the applet library alone %.0f s; floor, GoogleTest alone %.0f s\n' \
    "$p" "$t_all" "$t_applet" "$t_gtest"
  rm -rf "$all" "$gtest"
done
