#!/usr/bin/env bash
# Installs what is missing, builds, and starts Plainquill.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Plainquill on a virtual X display (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1280x800x24" build/plainquill "$@"
fi
exec build/plainquill "$@"
