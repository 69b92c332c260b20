#!/bin/sh
# Generates a directory with 10,000 subdirectories (every second one with a
# subdirectory of its own, the others with a file only) in a temporary
# directory and times the drive tree expanding it against find.
#
#   bench/tree_bench.sh [build-dir] [rounds]
set -eu
. "$(dirname "$0")/bench_common.sh"
bench_setup tree_expand_bench "$@"
root="$tmp/many"
make_subdir_folder "$root"
"$bench" "$root" "$rounds"
