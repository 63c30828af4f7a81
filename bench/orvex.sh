#!/usr/bin/env bash
# Orvex's figures under Wine: key-to-display time (median of 20) beside a bare posted-message
# round trip between two processes, Orvex's CPU time over 10 idle seconds, and the sizes of
# Orvex.exe and Orvex.dll. Not a test: it prints numbers.
#
#   bench/orvex.sh [win32|win64]        build tree: $ORVEX_BENCH_TREE or the preset's own (build/win32, build/win64)
# No preset: win32, or win64 on a host that cannot execute 32-bit programs.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
preset=${1:-}
. "$root/bench/common.sh"
bench_orvex_tree "$preset" "bench/orvex.sh [win32|win64]"
cd "$root"
helper="$tree/bench/orvex_bench.exe"
"$triple-g++-posix" -O2 -Wall -Wextra -static -o "$helper" bench/orvex_bench.cpp

orvex="$tree/osd/Orvex.exe"
dll="$tree/osd/Orvex.dll"
eval "$(tools/wine-run --tree "$tree" --arch "$preset" env || echo exit 1)"
echo "== Orvex ($preset) under $(wine --version)"
tools/wine-run --tree "$tree" --arch "$preset" "$helper" "$(winepath -w "$orvex")" | tr -d '\r'
echo "Orvex.exe: $(stat -c %s "$orvex") bytes"
echo "Orvex.dll: $(stat -c %s "$dll") bytes"
