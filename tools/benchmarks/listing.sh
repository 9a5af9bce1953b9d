#!/usr/bin/env bash
# The listing benchmark's tree is built once from the Linux side and kept outside the source tree.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
trees=${TALLYFOLD_BENCH_TREES:-/tmp/tallyfold-bench}
# "listing huge": the listing body on one folder of 100,000 files and one of 20,000 subfolders.
if [ "${1:-}" = huge ]; then
  shift
  "$here/tools/build" --target huge_listing_bench >/dev/null
  python3 "$here/tools/benchmarks/bench_tree.py" huge "$trees/huge-tree"
  exec wine64 "$TALLYFOLD_BUILD/mingw/tools/benchmarks/huge_listing_bench.exe" "$(winepath -w "$trees/huge-tree")" "$@"
fi
"$here/tools/build" --target tallyfold >/dev/null
python3 "$here/tools/benchmarks/bench_tree.py" listing "$trees/listing-tree"
python3 "$here/tools/benchmarks/bench_tree.py" sparse "$trees/sparse-tree"
windows_trees="Z:${trees//\//\\}"
wine64 "$TALLYFOLD_BUILD/mingw/tools/benchmarks/listing_bench.exe" "$windows_trees\\listing-tree" \
  "$windows_trees\\sparse-tree" "$@"
