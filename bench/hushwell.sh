#!/usr/bin/env bash
# Hushwell's figures: how long a later start takes to hand its request to the running instance
# and end (start to exit, median of N), side by side with two floors measured in the same run,
# interleaved and the same way: a do-nothing program (kernel32 only) and a GUI program that
# links user32 and posts one message, the least any hand-over does; and the size of Hushwell.exe.
#
#   bench/hushwell.sh [--tree DIR] [N]        DIR defaults to build/win32, N to 20
# (build/win64 on a host that cannot execute 32-bit programs)
#
# Builds Hushwell in DIR (configured with a preset), compiles the timer and the floors from
# bench/ with the same cross compiler and runs them in DIR's Wine prefix
# (tools/wine-run). Not a test: it prints figures.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
tree=""
if [ "${1:-}" = --tree ]; then tree=$(cd "$2" && pwd); shift 2; fi
runs=${1:-20}

. "$root/bench/common.sh"
bench_hushwell_tree hushwell.sh
"$cc" -O2 -Wall -Wextra -static -mwindows -o "$out/hushwell_noop.exe" "$root/bench/hushwell_noop.c"
"$cc" -O2 -Wall -Wextra -static -mwindows -o "$out/hushwell_post.exe" "$root/bench/hushwell_post.c"
"$cc" -O2 -Wall -Wextra -static -municode -o "$out/hushwell_timer.exe" "$root/bench/hushwell_timer.c"

echo "Hushwell.exe ($arch): $(stat -c %s "$hushwell") bytes; imports: $("$triple-objdump" -p "$hushwell" | sed -n 's/^\tDLL Name: //p' | tr '\n' ' ')"
"$root/tools/wine-run" --tree "$tree" --arch "$arch" "$out/hushwell_timer.exe" \
  "$hushwell" "$out/hushwell_noop.exe" "$out/hushwell_post.exe" "$runs"
