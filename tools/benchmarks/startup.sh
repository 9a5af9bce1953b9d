#!/usr/bin/env bash
# The start-up benchmark runs the program on the scan benchmark's tree, built once from the
# Linux side, and needs the empty window program as its floor.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
trees=${TALLYFOLD_BENCH_TREES:-/tmp/tallyfold-bench}
"$here/tools/build" --target tallyfold --target empty_window >/dev/null
python3 "$here/tools/benchmarks/bench_tree.py" scan "$trees/scan-tree"
wine64 "$TALLYFOLD_BUILD/mingw/tools/benchmarks/startup_bench.exe" "Z:${trees//\//\\}\\scan-tree" "$@"
