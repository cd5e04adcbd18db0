#!/usr/bin/env bash
# The window's figures on a private X server: start-up beside a bare Qt window, hover repaint time,
# what a resting pointer costs, repaint gaps during a long conversion.
#   bench/window/run.sh [build dir]
set -euo pipefail

here=$(cd "$(dirname "$0")/../.." && pwd)
. "$here/scripts/private_display.sh"
build=${1:-$here/build}
bench=$build/bench/window/window_bench
[ -x "$bench" ] && [ -x "$build/bench/window/resting_pointer_bench" ] \
  || { echo "build window_bench and resting_pointer_bench first" >&2; exit 1; }

work=$(mktemp -d)
server=""
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

start_private_display "$work"
server=$xvfb_pid
export QT_QPA_PLATFORM=xcb
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"

"$bench" startup 15
"$bench" hover 20

# What a resting pointer costs, over each drawn control and over none: CPU, repaints, X requests.
"$build/bench/window/resting_pointer_bench" 5

"$bench" long 200
