#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Vantrel need, when missing.
set -euo pipefail
"$(dirname "$0")/install-packages.sh" \
    build-essential cmake ccache pkg-config \
    qt6-base-dev libgl-dev fonts-dejavu-core \
    libbenchmark-dev \
    qstat dbus
