#!/usr/bin/env bash
# Builds a tree of 95,000 empty files in 1,000 folders once, from the Linux side (through Wine
# it would take a minute), kept under /tmp between runs, then times the walk over it.
# 95,000 stays under the catalogue cap, so the walk does all of its work.
# "walk huge" walks the tree of one folder of 100,000 files and one of 20,000 subfolders instead.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
cache=/tmp/tallyfold-bench
if [ "${1:-}" = huge ]; then
  trees=${TALLYFOLD_BENCH_TREES:-$cache}
  python3 "$here/tools/benchmarks/bench_tree.py" huge "$trees/huge-tree"
  exec wine64 "$TALLYFOLD_BUILD/mingw/tools/benchmarks/walk_bench.exe" "$(winepath -w "$trees/huge-tree")"
fi
tree=$cache/walk-tree
if [ ! -f "$cache/walk-tree.ready" ]; then
  rm -rf "$tree"
  mkdir -p "$tree"
  python3 - "$tree" <<'PY'
import os, sys
root = sys.argv[1]
extensions = ["txt", "dll", "EXE", "ini", "log", "Jpeg", "png", "h", "cpp", "manifest", "", "tar.gz",
              "xml", "json", "dat", "bin", "md", "Cfg", "sys", "mui"]
number = 0
for top in range(100):
    for sub in range(10):
        folder = os.path.join(root, "top%03d" % top, "folder %02d" % sub)
        os.makedirs(folder)
        for _ in range(95):
            extension = extensions[number % len(extensions)]
            name = "file_%06d" % number + ("." + extension if extension else "")
            open(os.path.join(folder, name), "wb").close()
            number += 1
PY
  touch "$cache/walk-tree.ready"
fi
wine64 "$TALLYFOLD_BUILD/mingw/tools/benchmarks/walk_bench.exe" "$(winepath -w "$tree")"
