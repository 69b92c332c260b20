# Sourced by the benchmark scripts: bench_setup NAME [build-dir] [rounds]
# sets $rounds, $bench (the built program, which must exist) and $tmp, a
# temporary directory removed on exit.
bench_setup() {
  bench="${2:-build}/bench/$1"
  rounds=${3:-5}
  [ -x "$bench" ] || { echo "no $bench: configure with -DKOLBRIN_BENCH=ON and build it" >&2; exit 1; }
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' EXIT INT TERM
}
