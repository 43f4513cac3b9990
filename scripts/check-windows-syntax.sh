#!/usr/bin/env bash
# Compiles every source file under src/ for a Windows target, syntax only, with Debian's MinGW-w64
# cross compiler and the build's own Qt headers, so that the code behind Q_OS_WIN is checked on
# Linux. Nothing is linked: a wrong name or type fails, a missing Windows library does not.
# Usage: scripts/check-windows-syntax.sh [BUILD-FOLDER]  (a configured build, for its flags)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

scripts/install-packages.sh g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev

python3 - "$build/compile_commands.json" <<'PY'
import concurrent.futures, json, os, shlex, subprocess, sys

database = json.load(open(sys.argv[1]))
# The flags of each folder: include paths and definitions, without the Linux-only ones.
flags = {}
for entry in database:
    path = os.path.relpath(entry["file"])
    if not path.startswith("src/"):
        continue
    words = shlex.split(entry["command"])
    kept, skip = [], False
    for i, word in enumerate(words[1:], 1):
        if skip:
            skip = False
        elif word in ("-o", "-c"):
            skip = True
        elif word == "-isystem" and "mkspecs" in words[i + 1]:
            skip = True
        elif word.startswith(("-I", "-D", "-std=")) or word == "-isystem" or words[i - 1] == "-isystem":
            kept.append(word)
    flags.setdefault(os.path.dirname(path), kept)

sources = subprocess.check_output(["git", "ls-files", "src/*.cpp"], text=True).split()
missing = [s for s in sources if os.path.dirname(s) not in flags]
if missing:
    print(f"no flags for {missing[0]}: is the build configured?")
    sys.exit(2)

def check(source):
    command = ["x86_64-w64-mingw32-g++-posix", "-fsyntax-only", "-Wall", "-Wextra",
               *flags[os.path.dirname(source)], source]
    return source, subprocess.run(command, capture_output=True, text=True)

failed = 0
with concurrent.futures.ThreadPoolExecutor(os.cpu_count()) as pool:
    for source, result in pool.map(check, sources):
        sys.stdout.write(result.stdout + result.stderr)
        if result.returncode != 0:
            failed += 1
            print(f"Windows syntax check failed: {source}")
print(f"Windows syntax check: {len(sources) - failed} of {len(sources)} files pass")
sys.exit(1 if failed else 0)
PY
