#!/bin/sh
# Generates two trees in a temporary directory and times the
# directory-information scan on each against du, ncdu, gdu (where
# installed) and a bare two-thread walk:
#   ~200,000 files in ~20,000 directories (20 x 20 x 50, ten files each)
#   ~1,000,000 files in ~100,000 directories (50 x 50 x 40, ten files each)
#
#   bench/dirscan_bench.sh [build-dir] [rounds]
set -eu
. "$(dirname "$0")/bench_common.sh"
bench_setup dirscan_bench "$@"
make_scan_tree "$tmp/200k" 20 20 50
echo "== tree of ~200,000 files"
"$bench" "$tmp/200k" "$rounds"
rm -rf "$tmp/200k"
make_scan_tree "$tmp/1m" 50 50 40
echo "== tree of ~1,000,000 files"
"$bench" "$tmp/1m" "$rounds"
