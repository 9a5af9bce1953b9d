#!/usr/bin/env python3
"""Builds a benchmark's file tree once, from the Linux side: made from inside Wine, 100,000 files
would take about half a minute. A finished tree is kept and reused; it is built beside its final
place and renamed, so a broken-off build never passes for a finished one.

  bench_tree.py scan DIR     98,000 files in 1,000 folders under 10 groups, 300 extensions; the
                             last file of each extension in walk order (its sample) holds text,
                             binary bytes or an MZ executable start. DIR.samples lists the samples.
  bench_tree.py listing DIR  99,000 .log files in 990 folders under 10 groups.
  bench_tree.py sparse DIR   980 folders of 100 files: one .log file each, the others under 200
                             extensions of about 485 files, so that LOG is the largest.
  bench_tree.py huge DIR     one folder of 20,000 subfolders (a-folders, each holding one
                             s.sub) and one folder of 100,000 files (b-files, f000000.h0 on,
                             extensions h0 to h9 in turn, file n holding n % 7 bytes).
"""
import os
import random
import shutil
import sys

GROUPS = 10
EXTENSIONS = 300
SAMPLE_BYTES = 32 * 1024


def leaf_folder(root, index, per_group):
    return os.path.join(root, "g%02d" % (index // per_group), "d%04d" % index)


def sample_bytes(extension, rng):
    kind = extension % 10
    if kind == 0:
        return b"MZ" + bytes(rng.getrandbits(8) for _ in range(SAMPLE_BYTES - 2))
    if kind in (1, 2, 3):
        return bytes(rng.getrandbits(8) for _ in range(SAMPLE_BYTES))
    return (b"plain text line of the sample file\r\n" * 64)[:2048]


def build_scan(root):
    folders, per_folder = 1000, 98
    total = folders * per_folder
    # Files are named in walk order, so the last file of an extension is its largest index.
    last = {index % EXTENSIONS: index for index in range(total)}
    samples = set(last.values())
    rng = random.Random(7)
    names = []
    for folder in range(folders):
        os.makedirs(leaf_folder(root, folder, folders // GROUPS))
    for index in range(total):
        extension = index % EXTENSIONS
        path = os.path.join(leaf_folder(root, index // per_folder, folders // GROUPS),
                            "f%06d.e%03d" % (index, extension))
        with open(path, "wb") as file:
            if index in samples:
                file.write(sample_bytes(extension, rng))
                names.append(os.path.relpath(path, root))
    return names


def build_listing(root):
    folders, per_folder = 990, 100
    for folder in range(folders):
        leaf = leaf_folder(root, folder, folders // GROUPS)
        os.makedirs(leaf)
        for file in range(per_folder):
            open(os.path.join(leaf, "f%06d.log" % (folder * per_folder + file)), "wb").close()


def build_sparse(root):
    folders, per_folder, others = 980, 100, 200
    for folder in range(folders):
        leaf = leaf_folder(root, folder, folders // GROUPS)
        os.makedirs(leaf)
        open(os.path.join(leaf, "listed%04d.log" % folder), "wb").close()
        for file in range(per_folder - 1):
            index = folder * (per_folder - 1) + file
            open(os.path.join(leaf, "f%06d.e%03d" % (index, index % others)), "wb").close()


HUGE_FOLDERS, HUGE_FILES, HUGE_EXTENSIONS, HUGE_SIZES = 20_000, 100_000, 10, 7


def build_huge(root):
    for folder in range(HUGE_FOLDERS):
        leaf = os.path.join(root, "a-folders", "d%05d" % folder)
        os.makedirs(leaf)
        open(os.path.join(leaf, "s.sub"), "wb").close()
    files = os.path.join(root, "b-files")
    os.makedirs(files)
    for index in range(HUGE_FILES):
        name = "f%06d.h%d" % (index, index % HUGE_EXTENSIONS)
        with open(os.path.join(files, name), "wb") as file:
            file.write(b"x" * (index % HUGE_SIZES))


def main():
    kind, root = sys.argv[1], sys.argv[2].rstrip("/")
    if os.path.isdir(root):
        return
    # Builders that run at the same time each build their own copy; the first to finish wins.
    building = "%s.building-%d" % (root, os.getpid())
    shutil.rmtree(building, ignore_errors=True)
    if kind == "scan":
        samples = build_scan(building)
        with open(root + ".samples", "w", newline="\r\n") as listing:
            listing.write("".join(name.replace("/", "\\") + "\n" for name in samples))
    elif kind == "sparse":
        build_sparse(building)
    elif kind == "huge":
        build_huge(building)
    else:
        build_listing(building)
    try:
        os.rename(building, root)
    except OSError:
        shutil.rmtree(building, ignore_errors=True)


if __name__ == "__main__":
    main()
