#!/usr/bin/env bash
# Orvex under load and at racing starts: two starts at the same moment (how many stay
# resident, TRIALS times), and 1,000 volume-key messages in a burst mixed with stray mixer
# notifications and timer ids, and 400 the same way (one instance, the answer time, the display hidden about 2 s
# after the last shown event, WM_CLOSE ending it with 1). Prints the machine's load beside the
# figures. Not a test: it prints figures (and exits 1 when something misbehaved).
#
#   bench/orvex-load.sh [win32|win64] [TRIALS]    tree: $ORVEX_BENCH_TREE or build/<preset>; TRIALS 10
# No preset: win32, or win64 on a host that cannot execute 32-bit programs.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
preset=${1:-}
trials=${2:-10}
. "$root/bench/common.sh"
bench_orvex_tree "$preset" "bench/orvex-load.sh [win32|win64] [TRIALS]"
cd "$root"
helper="$tree/bench/orvex_load.exe"
"$triple-g++-posix" -O2 -Wall -Wextra -static -o "$helper" bench/orvex_load.cpp -lwinmm

eval "$(tools/wine-run --tree "$tree" --arch "$preset" env || echo exit 1)"
orvex=$(winepath -w "$tree/osd/Orvex.exe")
echo "== Orvex under load ($preset), $(wine --version); load average: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"
status=0
tools/wine-run --tree "$tree" --arch "$preset" "$helper" race "$orvex" "$trials" | tr -d '\r' || status=1
tools/wine-run --tree "$tree" --arch "$preset" "$helper" mixeropens | tr -d '\r' || status=1
# 1,000 keys; then 400, fewer than the opens Wine's mixer allows a process, so that the last
# shown event is one the mixer could still be read for.
tools/wine-run --tree "$tree" --arch "$preset" "$helper" burst "$orvex" 1000 | tr -d '\r' || status=1
tools/wine-run --tree "$tree" --arch "$preset" "$helper" burst "$orvex" 400 | tr -d '\r' || status=1
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
exit $status
