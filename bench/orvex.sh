#!/usr/bin/env bash
# Orvex's figures under Wine: key-to-display time (median of 20) beside a bare posted-message
# round trip between two processes, Orvex's CPU time over 10 idle seconds, and the sizes of
# Orvex.exe and Orvex.dll. Not a test: it prints numbers.
#
#   bench/orvex.sh [win32|win64]        build tree: $ORVEX_BENCH_TREE or the preset's own (build/win32, build/win64)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
preset=${1:-win32}
case "$preset" in
  win32) triple=i686-w64-mingw32; tree=${ORVEX_BENCH_TREE:-$root/build/win32} ;;
  win64) triple=x86_64-w64-mingw32; tree=${ORVEX_BENCH_TREE:-$root/build/win64} ;;
  *) echo "usage: bench/orvex.sh [win32|win64]" >&2; exit 2 ;;
esac

cd "$root"
if [ ! -f "$tree/CMakeCache.txt" ]; then
  cmake --preset "$preset" -B "$tree" -DKELVORA_DIST_DIR="$tree/dist" >/dev/null
fi
cmake --build "$tree" --target Orvex OrvexHook -j2 >/dev/null

mkdir -p "$tree/bench"
helper="$tree/bench/orvex_bench.exe"
"$triple-g++-posix" -O2 -Wall -Wextra -static -o "$helper" bench/orvex_bench.cpp

orvex="$tree/osd/Orvex.exe"
dll="$tree/osd/Orvex.dll"
eval "$(tools/wine-run --tree "$tree" --arch "$preset" env)"
echo "== Orvex ($preset) under $(wine --version)"
tools/wine-run --tree "$tree" --arch "$preset" "$helper" "$(winepath -w "$orvex")" | tr -d '\r'
echo "Orvex.exe: $(stat -c %s "$orvex") bytes"
echo "Orvex.dll: $(stat -c %s "$dll") bytes"
