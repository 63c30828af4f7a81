#!/usr/bin/env bash
# Time from starting `control.exe Pallum.cpl` to the sheet being visible, median of N runs
# (default 10), beside three floors in the same prefix, interleaved run by run: Wine's own
# joy.cpl, a minimal applet built from bench/min_applet.c that opens a one-page property
# sheet, and the same applet built with Pallum's manifest showing Pallum's first page template
# (the Buttons page's controls, themed, without Pallum's code); then the sizes of Pallum.cpl
# and Mirrend.dll. The timing is taken inside the prefix
# (applet_probe): from CreateProcess of control.exe to the first visible top-level window of
# that process (for Pallum, the one titled "KELVORA Controls Properties"); each sheet is
# cancelled again right after. A second figure is the applet's own part: from Wine's
# +loaddll trace line of the applet module to the visible window, on the same tick clock;
# control.exe's start before it (Wine's graphics driver, theming) is common to every applet
# and carries most of the run-to-run spread.
#
#   bench/applet-open.sh [--tree DIR] [--runs N] [--dist DIR]
#
# --dist takes Pallum.cpl and Mirrend.dll from another build's distributable folder (to set
# two builds side by side); the tree still provides the probe and the prefix.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
tree=""
runs=10
dist=""
while [ $# -gt 0 ]; do
  case "$1" in
    --tree) tree=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --dist) dist=$(cd "$2" && pwd); shift 2 ;;
    *) echo "usage: bench/applet-open.sh [--tree DIR] [--runs N] [--dist DIR]" >&2; exit 2 ;;
  esac
done
preset=$("$root/tools/win32-exec" preset applet-open.sh)
[ -n "$tree" ] || tree="$root/build/$preset"
mkdir -p "$tree"
tree=$(cd "$tree" && pwd)

if [ ! -f "$tree/CMakeCache.txt" ]; then
  cmake --preset "$preset" -S "$root" -B "$tree" -DKELVORA_DIST_DIR="$tree/dist" >/dev/null
fi
cmake --build "$tree" --target Pallum Mirrend applet_probe -j2 >/dev/null
[ -n "$dist" ] || dist=$(sed -n 's/^KELVORA_DIST_DIR:[A-Z]*=//p' "$tree/CMakeCache.txt")
pallum="$dist/Pallum.cpl"
mirrend=$(find "$dist" -name Mirrend.dll | head -n 1)
probe="$tree/tools/drivers/applet_probe.exe"
. "$here/common.sh"
triple=$(bench_triple "$tree")
mkdir -p "$tree/bench"
"$triple-gcc-posix" -O2 -Wall -Wextra -static -shared -Wl,--kill-at -o "$tree/bench/BenchMin.cpl" \
  "$here/min_applet.c" -lcomctl32
manifest=$(find "$tree/applet" -name Pallum.manifest | head -n 1)
printf '123 24 "%s"\n' "$manifest" >"$tree/bench/same_page.rc"
"$triple-windres" -o "$tree/bench/same_page.o" "$tree/bench/same_page.rc"
"$triple-gcc-posix" -O2 -Wall -Wextra -static -shared -Wl,--kill-at -DBENCH_SAME_PAGE \
  -o "$tree/bench/BenchPage.cpl" "$here/min_applet.c" "$tree/bench/same_page.o" -lcomctl32

wr=("$root/tools/wine-run" --tree "$tree" --arch "$preset")
eval "$("${wr[@]}" env || echo exit 1)"
cp "$pallum" "$mirrend" "$tree/bench/BenchMin.cpl" "$tree/bench/BenchPage.cpl" "$WINEPREFIX/drive_c/windows/system32/"
"${wr[@]}" regedit /S "$(winepath -w "$root/maker/defaults.reg")"

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

trace="$tree/bench/applet-trace.txt"
time_one() {   # time_one KIND MODULE COMMAND [TITLE]: appends "total own" (ms) to applet-KIND.txt
  local kind=$1 module=$2; shift 2
  local out loaded
  out=$(WINEDEBUG=+timestamp,+loaddll wine "$probe" time "$@" 2>"$trace" | tr -d '\r')
  loaded=$(grep -a -m1 "loaddll:build_module Loaded .*\\\\$module\"" "$trace" | sed -E 's/^([0-9]+\.[0-9]+):.*/\1/')
  [ -n "$kind" ] || return 0
  awk -v o="$out" -v l="$loaded" 'BEGIN { split(o, f, " "); printf "%s %.0f\n", f[1], (f[2] - l) * 1000 }' \
    >>"$tree/bench/applet-$kind.txt"
}

for kind in pallum joy min page; do : >"$tree/bench/applet-$kind.txt"; done
time_one "" Pallum.cpl "control.exe Pallum.cpl" "KELVORA Controls Properties"   # warm-up, not counted
time_one "" joy.cpl "control.exe joy.cpl"
time_one "" BenchMin.cpl "control.exe BenchMin.cpl" "Bench Applet"
time_one "" BenchPage.cpl "control.exe BenchPage.cpl" "Bench Page"
for i in $(seq "$runs"); do
  time_one pallum Pallum.cpl "control.exe Pallum.cpl" "KELVORA Controls Properties"
  time_one joy joy.cpl "control.exe joy.cpl"
  time_one min BenchMin.cpl "control.exe BenchMin.cpl" "Bench Applet"
  time_one page BenchPage.cpl "control.exe BenchPage.cpl" "Bench Page"
done

col() { awk -v c="$1" '{ print $c }' "$2"; }
report() {   # report NAME FILE COLUMN
  printf '%-14s %7s  (%s)\n' "$1" "$(col "$3" "$2" | median)" "$(col "$3" "$2" | tr '\n' ' ')"
}
ratios() {   # ratios COLUMN
  awk -v p="$(col "$1" "$tree/bench/applet-pallum.txt" | median)" \
      -v j="$(col "$1" "$tree/bench/applet-joy.txt" | median)" \
      -v m="$(col "$1" "$tree/bench/applet-min.txt" | median)" \
      -v g="$(col "$1" "$tree/bench/applet-page.txt" | median)" \
    'BEGIN { printf "ratio to joy.cpl %.2fx, to the minimal .cpl %.2fx, to the same first page %.2fx\n", p / j, p / m, p / g }'
}
for c in 1 2; do
  if [ "$c" = 1 ]; then what="control.exe started to visible"; else what="applet module loaded to visible"; fi
  printf '%-14s %s\n' "applet" "$what, ms (median of $runs, interleaved; all runs)"
  report "Pallum.cpl" "$tree/bench/applet-pallum.txt" "$c"
  report "joy.cpl" "$tree/bench/applet-joy.txt" "$c"
  report "minimal .cpl" "$tree/bench/applet-min.txt" "$c"
  report "same 1st page" "$tree/bench/applet-page.txt" "$c"
  ratios "$c"
done
printf '%-14s %s bytes\n' "Pallum.cpl" "$(stat -c %s "$pallum")"
printf '%-14s %s bytes\n' "Mirrend.dll" "$(stat -c %s "$mirrend")"
