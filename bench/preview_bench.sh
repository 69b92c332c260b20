#!/bin/sh
# Times the print preview of a generated file list of 100,001 rows (about
# 1,450 pages): first page, page 1,000, random pages and memory.
#
#   bench/preview_bench.sh [build-dir] [rows]
set -eu
. "$(dirname "$0")/bench_common.sh"
bench_setup preview_bench "${1:-build}"
"$bench" "${2:-100001}"
