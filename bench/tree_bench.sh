#!/bin/sh
# Generates a directory with 10,000 subdirectories (every second one with a
# subdirectory of its own, the others with a file only) in a temporary
# directory and times the drive tree expanding it against find.
#
#   bench/tree_bench.sh [build-dir] [rounds]
set -eu
build=${1:-build}
rounds=${2:-5}
bench="$build/bench/tree_expand_bench"
[ -x "$bench" ] || { echo "no $bench: configure with -DKOLBRIN_BENCH=ON and build it" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT INT TERM
root="$tmp/many"
mkdir "$root"
(
  cd "$root"
  seq -f 'd%05g' 0 9999 | xargs mkdir
  seq -f 'd%05g/sub' 0 2 9999 | xargs mkdir
  seq -f 'd%05g/file' 1 2 9999 | xargs touch
)
"$bench" "$root" "$rounds"
