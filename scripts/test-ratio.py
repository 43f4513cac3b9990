#!/usr/bin/env python3
"""Prints the size of the tests (tests/ and fuzz/) beside the size of the product (src/ and
tools/), counted as lines that are not blank and not only a comment, over every file git tracks
there. Folders or files given as arguments (from the repository's root) are counted on their own
lines after it.
Usage: scripts/test-ratio.py [PATH...]"""
import os
import subprocess
import sys

# Files whose comments start with '#'; in C++ a '#' line is a directive, which counts.
HASH_COMMENTS = (".sh", ".py", ".txt", ".cmake", ".cfg")


def count(paths):
    tracked = subprocess.run(["git", "ls-files", "--"] + paths, capture_output=True, text=True,
                             check=True).stdout.split()
    total = 0
    for path in tracked:
        try:
            with open(path, encoding="utf-8") as f:
                lines = f.read().split("\n")
        except (UnicodeDecodeError, OSError):
            continue  # binary seeds and images
        hash_comments = path.endswith(HASH_COMMENTS) or lines[0].startswith("#!")
        in_block = False
        for line in (l.strip() for l in lines):
            if in_block:
                in_block = "*/" not in line
            elif line.startswith("/*"):
                in_block = "*/" not in line
            elif line and not line.startswith("//") and not (hash_comments and line.startswith("#")):
                total += 1
    return total


os.chdir(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
product, tests = count(["src", "tools"]), count(["tests", "fuzz"])
print(f"src and tools {product}, tests and fuzz {tests}: {100 * tests / product:.1f}%")
for path in sys.argv[1:]:
    print(f"{path} {count([path])}")
