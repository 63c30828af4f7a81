#!/usr/bin/env bash
# Time from starting `control.exe Pallum.cpl` to the sheet being visible, median of N runs
# (default 10), beside Wine's own joy.cpl in the same prefix; then the sizes of Pallum.cpl
# and Mirrend.dll. The timing is taken inside the prefix (applet_probe): from CreateProcess
# of control.exe to the first visible top-level window of that process (for Pallum, the one
# titled "KELVORA Controls Properties"); each sheet is cancelled again right after.
#
#   bench/applet-open.sh [--tree DIR] [--runs N]
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
tree="$root/build/win32"
runs=10
while [ $# -gt 0 ]; do
  case "$1" in
    --tree) tree=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    *) echo "usage: bench/applet-open.sh [--tree DIR] [--runs N]" >&2; exit 2 ;;
  esac
done
mkdir -p "$tree"
tree=$(cd "$tree" && pwd)

if [ ! -f "$tree/CMakeCache.txt" ]; then
  cmake --preset win32 -S "$root" -B "$tree" -DKELVORA_DIST_DIR="$tree/dist" >/dev/null
fi
cmake --build "$tree" --target Pallum Mirrend applet_probe -j2 >/dev/null
dist=$(sed -n 's/^KELVORA_DIST_DIR:[A-Z]*=//p' "$tree/CMakeCache.txt")
pallum="$dist/Pallum.cpl"
mirrend=$(find "$dist" -name Mirrend.dll | head -n 1)
probe=$(find "$tree/tests/e2e/applet" -name applet_probe.exe | head -n 1)

wr=("$root/tools/wine-run" --tree "$tree" --arch win32)
eval "$("${wr[@]}" env)"
cp "$pallum" "$mirrend" "$WINEPREFIX/drive_c/windows/system32/"
"${wr[@]}" regedit /S "$(winepath -w "$root/maker/defaults.reg")"

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

measure() {   # measure COMMAND [TITLE]: one time in ms per line
  local i
  "${wr[@]}" "$probe" time "$@" >/dev/null   # warm-up, not counted
  for i in $(seq "$runs"); do
    "${wr[@]}" "$probe" time "$@"
  done
}

pallum_times=$(measure "control.exe Pallum.cpl" "KELVORA Controls Properties")
joy_times=$(measure "control.exe joy.cpl")

printf '%-12s %s\n' "applet" "open to visible, ms (median of $runs; all runs)"
printf '%-12s %s  (%s)\n' "Pallum.cpl" "$(median <<<"$pallum_times")" "$(tr '\n' ' ' <<<"$pallum_times")"
printf '%-12s %s  (%s)\n' "joy.cpl" "$(median <<<"$joy_times")" "$(tr '\n' ' ' <<<"$joy_times")"
printf '%-12s %s bytes\n' "Pallum.cpl" "$(stat -c %s "$pallum")"
printf '%-12s %s bytes\n' "Mirrend.dll" "$(stat -c %s "$mirrend")"
