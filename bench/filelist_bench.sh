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
python3 - "$dir" "$files" <<'PY'
import os, random, sys
d, n = sys.argv[1], int(sys.argv[2])
os.makedirs(d)
rnd = random.Random(7)
for i in range(n):
    stem = "".join(rnd.choice("abcdefghijklmnopqrstuvwxyzABC_0123456789") for _ in range(rnd.randrange(3, 24)))
    with open(os.path.join(d, f"{stem}_{i}.dat"), "wb") as out:
        out.write(b"x" * rnd.randrange(4096))
for i in range(20):
    os.mkdir(os.path.join(d, f"sub{i}"))
PY
"$bench" "$dir" "$rounds"
