#!/usr/bin/env bash
# Builds the Debian package from an existing build, installs it as a player would and runs the
# installed command-line tool. Needs root (or sudo) for apt-get.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

rm -f "$build"/vantrel_*.deb
(cd "$build" && cpack -G DEB > /dev/null)
deb=$(ls "$PWD/$build"/vantrel_*.deb)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$deb" > /dev/null
/usr/bin/vantrel-query --help > /dev/null
/usr/bin/vantrel-query --version
test -f /usr/share/applications/vantrel.desktop
test -f /usr/share/icons/hicolor/48x48/apps/vantrel.png
test -f /usr/share/man/man1/vantrel-query.1
echo "package $(basename "$deb") installs and runs"
