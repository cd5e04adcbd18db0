#!/usr/bin/env bash
# Builds and writes the Debian package build/plainquill_<version>_<arch>.deb; install it with
#   sudo apt-get install ./build/plainquill_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
cd build
cpack -G DEB >/dev/null
ls "$PWD"/plainquill_*.deb
