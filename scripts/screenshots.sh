#!/usr/bin/env bash
# Remakes the README's pictures (docs/*.png) from the demo: builds, starts the demo's servers,
# and lets vantrel-screenshots open the windows offscreen on fresh demo options and save them.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build > /dev/null
cmake --build build -j"$(nproc)" --target vantrel-screenshots vantrel-standin vantrel-master

. scripts/demo-world.sh
world="$(mktemp -d)"
demo_options "$world/config" "$world/quake"
demo_servers
trap 'kill "${demo_pids[@]}" 2>/dev/null; rm -rf "$world"' EXIT

mkdir -p docs
XDG_CONFIG_HOME="$world/config" QT_QPA_PLATFORM=offscreen \
    build/tools/screenshots/vantrel-screenshots docs
