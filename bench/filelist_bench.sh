#!/bin/sh
# Generates a directory of 100,000 files (names of varied length, sizes
# 0 to 4 KiB) in a temporary directory and times the file list on it
# against ls -lU, then the sort of 1,000,000 generated rows per column.
#
#   bench/filelist_bench.sh [build-dir] [rounds] [files]
set -eu
. "$(dirname "$0")/bench_common.sh"
bench_setup filelist_bench "$@"
files=${3:-100000}
dir="$tmp/files"
make_file_folder "$dir" "$files"
"$bench" "$dir" "$rounds"
