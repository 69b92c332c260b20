#!/bin/sh
# Times the program on directories that are not cached (page cache,
# dentries and inodes dropped before every run, which needs root): the
# directory information of the ~200,000-file tree and of /usr against du,
# ncdu and gdu; the file list of a folder of 100,000 files against ls -lU;
# the tree expanding a folder of 10,000 subfolders against find; each also
# against bare walks, listings or probes with 2, 8 and 32 threads. ncdu and
# gdu are installed with apt-get when missing.
#
#   bench/cold_bench.sh [build-dir] [rounds] [scan|list|expand|usr ...]
set -eu
. "$(dirname "$0")/bench_common.sh"
bench_setup cold_bench "${1:-build}" "${2:-3}"
[ $# -ge 2 ] && shift 2 || shift $#
parts=${*:-scan list expand usr}
if [ "$(id -u)" -ne 0 ]; then
  echo "cold runs need root, to drop the page cache before each run: skipped"
  exit 0
fi
for tool in ncdu gdu; do
  command -v "$tool" >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$tool" >/dev/null ||
    echo "$tool could not be installed: left out"
done
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
for part in $parts; do
  case $part in
    scan) make_scan_tree "$tmp/200k" 20 20 50; "$bench" scan "$tmp/200k" "$rounds"; rm -rf "$tmp/200k" ;;
    usr) "$bench" scan /usr "$rounds" ;;
    list) make_file_folder "$tmp/files" 100000; "$bench" list "$tmp/files" "$rounds"; rm -rf "$tmp/files" ;;
    expand) make_subdir_folder "$tmp/many"; "$bench" expand "$tmp/many" "$rounds"; rm -rf "$tmp/many" ;;
    *) echo "unknown part $part" >&2; exit 2 ;;
  esac
  echo "load after $part: $(cut -d' ' -f1-3 /proc/loadavg)"
done
