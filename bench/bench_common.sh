# Sourced by the benchmark scripts: bench_setup NAME [build-dir] [rounds]
# sets $rounds, $bench (the built program, which must exist) and $tmp, a
# temporary directory removed on exit. The make_* functions build the
# trees the benchmarks share.
bench_setup() {
  bench="${2:-build}/bench/$1"
  rounds=${3:-5}
  [ -x "$bench" ] || { echo "no $bench: configure with -DKOLBRIN_BENCH=ON and build it" >&2; exit 1; }
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' EXIT INT TERM
}

# make_scan_tree DIR A B C: A x B x C directories, ten files of 0-8 KiB each.
make_scan_tree() {
  python3 - "$1" "$2" "$3" "$4" <<'PY'
import os, random, sys
root, na, nb, nc = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
rnd = random.Random(5)
for a in range(na):
    for b in range(nb):
        for c in range(nc):
            d = os.path.join(root, f"a{a:02}", f"b{b:02}", f"c{c:02}")
            os.makedirs(d)
            for f in range(10):
                with open(os.path.join(d, f"file{f}.dat"), "wb") as out:
                    out.write(b"x" * rnd.randrange(8192))
PY
}

# make_file_folder DIR N: N files (names of varied length, 0-4 KiB) and
# twenty subdirectories.
make_file_folder() {
  python3 - "$1" "$2" <<'PY'
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
}

# make_subdir_folder DIR: 10,000 subdirectories, every second one with a
# subdirectory of its own, the others with a file only.
make_subdir_folder() {
  mkdir "$1"
  (
    cd "$1"
    seq -f 'd%05g' 0 9999 | xargs mkdir
    seq -f 'd%05g/sub' 0 2 9999 | xargs mkdir
    seq -f 'd%05g/file' 1 2 9999 | xargs touch
  )
}
