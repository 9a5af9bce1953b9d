#!/usr/bin/env bash
# The scan benchmark's tree is built once from the Linux side and kept outside the source tree.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
trees=${TALLYFOLD_BENCH_TREES:-/tmp/tallyfold-bench}
"$here/tools/build" --target tallyfold --target empty_window >/dev/null
python3 "$here/tools/benchmarks/bench_tree.py" scan "$trees/scan-tree"
wine64 "$TALLYFOLD_BUILD/mingw/tools/benchmarks/scan_bench.exe" "Z:${trees//\//\\}\\scan-tree" \
  "Z:${trees//\//\\}\\scan-tree.samples" "$@"
