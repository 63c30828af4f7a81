# Sourced by the bench scripts (after setting root): the build-tree lookups they share.

# bench_triple TREE: the cross compiler's triple TREE was configured with.
bench_triple() {
  local toolchain
  toolchain=$(sed -n 's/^CMAKE_TOOLCHAIN_FILE:[A-Z]*=//p' "$1/CMakeCache.txt")
  sed -n 's/^set(KELVORA_TRIPLE \([^)]*\))/\1/p' "$toolchain"
}

# bench_hushwell_tree NAME: builds Hushwell in $tree (configured already; empty: the preset's
# own tree, win32 where this host runs 32-bit programs) and sets triple, cc, arch, hushwell and
# out (the tree's bench folder).
bench_hushwell_tree() {
  [ -n "$tree" ] || tree="$root/build/$("$root/tools/win32-exec" preset "$1")"
  [ -f "$tree/CMakeCache.txt" ] || { echo "$1: $tree is not configured (cmake --preset win32 -B $tree)" >&2; exit 2; }
  cmake --build "$tree" --target Hushwell -j2 >/dev/null
  triple=$(bench_triple "$tree")
  cc="$triple-gcc-posix"
  case "$cc" in *x86_64*) arch=win64 ;; *) arch=win32 ;; esac
  hushwell=$(find "$tree/mute" -maxdepth 1 -name Hushwell.exe)
  out="$tree/bench"
  mkdir -p "$out"
}

# bench_orvex_tree PRESET USAGE: sets preset (PRESET, or when empty win32 where this host runs
# 32-bit programs, else win64), tree ($ORVEX_BENCH_TREE or build/PRESET) and triple,
# configures the tree if needed and builds Orvex and its hook library there.
bench_orvex_tree() {
  preset=${1:-$("$root/tools/win32-exec" preset "${2%% *}")}
  case "$preset" in
    win32 | win64) ;;
    *) echo "usage: $2" >&2; exit 2 ;;
  esac
  tree=${ORVEX_BENCH_TREE:-$root/build/$preset}
  if [ ! -f "$tree/CMakeCache.txt" ]; then
    cmake --preset "$preset" -S "$root" -B "$tree" -DKELVORA_DIST_DIR="$tree/dist" >/dev/null
  fi
  cmake --build "$tree" --target Orvex OrvexHook -j2 >/dev/null
  triple=$(bench_triple "$tree")
  mkdir -p "$tree/bench"
}
