#!/usr/bin/env python3
"""Builds the benchmark trees under a folder, unless they are there already.

wide:  100,000 empty sub-folders in one folder
deep:  1,000 chains 50 levels deep, 50,000 folders
mixed: fan-out 10 to depth 5 (111,110 folders), a file in 30% of the leaves
"""
import os
import random
import sys


def make_wide(root):
    for i in range(100_000):
        os.mkdir(os.path.join(root, f"w{i:06d}"))


def make_deep(root):
    for chain in range(1_000):
        path = os.path.join(root, f"c{chain:04d}", *[f"l{level:02d}" for level in range(1, 50)])
        os.makedirs(path)


def make_mixed(root):
    rng = random.Random(5)
    level = [root]
    for depth in range(5):
        next_level = []
        for folder in level:
            for i in range(10):
                child = os.path.join(folder, f"m{i}")
                os.mkdir(child)
                next_level.append(child)
        level = next_level
    for leaf in level:
        if rng.random() < 0.3:
            with open(os.path.join(leaf, "data.bin"), "wb") as f:
                f.write(b"x")


def main():
    base = sys.argv[1]
    for name, make in (("wide", make_wide), ("deep", make_deep), ("mixed", make_mixed)):
        root = os.path.join(base, name)
        done = root + ".done"
        if os.path.exists(done):
            continue
        os.makedirs(root, exist_ok=True)
        make(root)
        open(done, "w").close()
        print(f"built {root}", file=sys.stderr)


if __name__ == "__main__":
    main()
