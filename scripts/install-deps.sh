#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Vantrel need, when missing.
set -euo pipefail
"$(dirname "$0")/install-packages.sh" \
    build-essential cmake ccache pkg-config \
    qt6-base-dev qt6-charts-dev libqt6opengl6-dev libqt6sql6-sqlite libgl-dev fonts-dejavu-core \
    libbenchmark-dev \
    qstat dbus
