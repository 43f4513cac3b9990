#!/usr/bin/env bash
# Remakes the README's pictures (docs/*.png) from the demo: builds, starts the demo's servers,
# seeds a day of their history, and lets vantrel-screenshots open the windows offscreen on fresh
# demo options and save them.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build > /dev/null
cmake --build build -j"$(nproc)" --target vantrel-screenshots vantrel-standin vantrel-master \
    vantrel-history-seed

. scripts/demo-world.sh
world="$(mktemp -d)"
demo_options "$world/config" "$world/quake"
# A day of history for the demo's servers, where the window looks for it.
build/tools/history-seed/vantrel-history-seed "$world/data/Vantrel/history.sqlite" --days 1 \
    --servers 127.0.0.1:26000-26030
demo_servers
trap 'kill "${demo_pids[@]}" 2>/dev/null; rm -rf "$world"' EXIT

mkdir -p docs
XDG_CONFIG_HOME="$world/config" XDG_DATA_HOME="$world/data" QT_QPA_PLATFORM=offscreen \
    build/tools/screenshots/vantrel-screenshots docs
