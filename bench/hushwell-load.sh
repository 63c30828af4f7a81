#!/usr/bin/env bash
# Hushwell under load: N starts one after another as fast as they end, then M at the same
# moment; every process must end with 0 within 10 s, and afterwards no Hushwell process and
# neither named object ("Local\Hushwell", "Local\HushwellFile") may remain. Prints the
# machine's load beside the figures. Not a test: it prints figures (exit 1 on misbehaviour).
#
#   bench/hushwell-load.sh [--tree DIR] [N [M]]      DIR defaults to build/win32, N 100, M 20
# (build/win64 on a host that cannot execute 32-bit programs)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
tree=""
if [ "${1:-}" = --tree ]; then tree=$(cd "$2" && pwd); shift 2; fi
runs=${1:-100}
together=${2:-20}

. "$root/bench/common.sh"
bench_hushwell_tree hushwell-load.sh
"$cc" -O2 -Wall -Wextra -static -municode -o "$out/hushwell_load.exe" "$root/bench/hushwell_load.c"

echo "== Hushwell under load ($arch); load average: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"
status=0
"$root/tools/wine-run" --tree "$tree" --arch "$arch" "$out/hushwell_load.exe" "$hushwell" "$runs" "$together" \
  | tr -d '\r' || status=1
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
exit $status
