#!/bin/sh
# Generates a tree of 200,000 files in about 20,000 directories (20 x 20 x
# 50 directories, ten files of 0 to 8 KiB in each leaf) in a temporary
# directory and times the directory-information scan on it against du,
# ncdu and gdu (those two only where installed).
#
#   bench/dirscan_bench.sh [build-dir] [rounds]
set -eu
. "$(dirname "$0")/bench_common.sh"
bench_setup dirscan_bench "$@"
root="$tmp/tree"
python3 - "$root" <<'PY'
import os, random, sys
root = sys.argv[1]
rnd = random.Random(5)
for a in range(20):
    for b in range(20):
        for c in range(50):
            d = os.path.join(root, f"a{a:02}", f"b{b:02}", f"c{c:02}")
            os.makedirs(d)
            for f in range(10):
                with open(os.path.join(d, f"file{f}.dat"), "wb") as out:
                    out.write(b"x" * rnd.randrange(8192))
PY
"$bench" "$root" "$rounds"
