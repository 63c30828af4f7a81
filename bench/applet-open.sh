#!/usr/bin/env bash
# Time from starting `control.exe Pallum.cpl` to the sheet being visible, median of N runs
# (default 10), beside two floors in the same prefix, interleaved run by run: Wine's own
# joy.cpl and a minimal applet built from bench/min_applet.c that opens a one-page property
# sheet; then the sizes of Pallum.cpl and Mirrend.dll. The timing is taken inside the prefix
# (applet_probe): from CreateProcess of control.exe to the first visible top-level window of
# that process (for Pallum, the one titled "KELVORA Controls Properties"); each sheet is
# cancelled again right after.
#
#   bench/applet-open.sh [--tree DIR] [--runs N] [--dist DIR]
#
# --dist takes Pallum.cpl and Mirrend.dll from another build's distributable folder (to set
# two builds side by side); the tree still provides the probe and the prefix.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
tree="$root/build/win32"
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
mkdir -p "$tree"
tree=$(cd "$tree" && pwd)

if [ ! -f "$tree/CMakeCache.txt" ]; then
  cmake --preset win32 -S "$root" -B "$tree" -DKELVORA_DIST_DIR="$tree/dist" >/dev/null
fi
cmake --build "$tree" --target Pallum Mirrend applet_probe -j2 >/dev/null
[ -n "$dist" ] || dist=$(sed -n 's/^KELVORA_DIST_DIR:[A-Z]*=//p' "$tree/CMakeCache.txt")
pallum="$dist/Pallum.cpl"
mirrend=$(find "$dist" -name Mirrend.dll | head -n 1)
probe=$(find "$tree/tests/e2e/applet" -name applet_probe.exe | head -n 1)
toolchain=$(sed -n 's/^CMAKE_TOOLCHAIN_FILE:[A-Z]*=//p' "$tree/CMakeCache.txt")
triple=$(sed -n 's/^set(KELVORA_TRIPLE \([^)]*\))/\1/p' "$toolchain")
mkdir -p "$tree/bench"
"$triple-gcc-posix" -O2 -Wall -Wextra -static -shared -Wl,--kill-at -o "$tree/bench/BenchMin.cpl" \
  "$here/min_applet.c" -lcomctl32

wr=("$root/tools/wine-run" --tree "$tree" --arch win32)
eval "$("${wr[@]}" env)"
cp "$pallum" "$mirrend" "$tree/bench/BenchMin.cpl" "$WINEPREFIX/drive_c/windows/system32/"
"${wr[@]}" regedit /S "$(winepath -w "$root/maker/defaults.reg")"

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

time_one() {   # time_one COMMAND [TITLE]: one time in ms
  "${wr[@]}" "$probe" time "$@" | tr -d '\r'
}

for kind in pallum joy min; do : >"$tree/bench/applet-$kind.txt"; done
time_one "control.exe Pallum.cpl" "KELVORA Controls Properties" >/dev/null   # warm-up, not counted
time_one "control.exe joy.cpl" >/dev/null
time_one "control.exe BenchMin.cpl" "Bench Applet" >/dev/null
for i in $(seq "$runs"); do
  time_one "control.exe Pallum.cpl" "KELVORA Controls Properties" >>"$tree/bench/applet-pallum.txt"
  time_one "control.exe joy.cpl" >>"$tree/bench/applet-joy.txt"
  time_one "control.exe BenchMin.cpl" "Bench Applet" >>"$tree/bench/applet-min.txt"
done

report() {   # report NAME FILE
  printf '%-14s %7s  (%s)\n' "$1" "$(median <"$2")" "$(tr '\n' ' ' <"$2")"
}
printf '%-14s %s\n' "applet" "open to visible, ms (median of $runs, interleaved; all runs)"
report "Pallum.cpl" "$tree/bench/applet-pallum.txt"
report "joy.cpl" "$tree/bench/applet-joy.txt"
report "minimal .cpl" "$tree/bench/applet-min.txt"
p=$(median <"$tree/bench/applet-pallum.txt")
awk -v p="$p" -v j="$(median <"$tree/bench/applet-joy.txt")" -v m="$(median <"$tree/bench/applet-min.txt")" \
  'BEGIN { printf "ratio to joy.cpl %.2fx, to the minimal .cpl %.2fx\n", p / j, p / m }'
printf '%-14s %s bytes\n' "Pallum.cpl" "$(stat -c %s "$pallum")"
printf '%-14s %s bytes\n' "Mirrend.dll" "$(stat -c %s "$mirrend")"
