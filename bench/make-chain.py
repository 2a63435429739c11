#!/usr/bin/env python3
"""make-chain.py ROOT DEPTH [SEALED_LEVEL]: a chain of DEPTH folders named "d" under ROOT,
built by descriptor so its length may pass the system's path limit. With SEALED_LEVEL, the
folder at that level is made read-only, so nothing directly in it can be removed by its
owner."""
import os
import sys

root, depth = sys.argv[1], int(sys.argv[2])
sealed = int(sys.argv[3]) if len(sys.argv) > 3 else None
os.makedirs(root, exist_ok=True)
fd = os.open(root, os.O_RDONLY | os.O_DIRECTORY)
for level in range(1, depth + 1):
    os.mkdir("d", dir_fd=fd)
    child = os.open("d", os.O_RDONLY | os.O_DIRECTORY, dir_fd=fd)
    os.close(fd)
    fd = child
    if level == sealed:
        sealed_fd = os.dup(fd)
os.close(fd)
if sealed is not None:
    os.fchmod(sealed_fd, 0o555)
    os.close(sealed_fd)
