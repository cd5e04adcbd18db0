#!/usr/bin/env bash
# The window's figures on a private X server: start-up beside a bare Qt window, idle CPU with the
# pointer outside and over a button, hover repaint time, repaint gaps during a long conversion.
#   bench/window/run.sh [build dir]
set -euo pipefail

here=$(cd "$(dirname "$0")/../.." && pwd)
. "$here/scripts/private_display.sh"
build=${1:-$here/build}
bench=$build/bench/window/window_bench
[ -x "$bench" ] && [ -x "$build/plainquill" ] || { echo "build window_bench and plainquill first" >&2; exit 1; }

work=$(mktemp -d)
server=""
app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
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

# Idle: the program's own CPU time (user + system, from /proc) over 10 s of wall time.
"$build/plainquill" 2>/dev/null &
app=$!
window=$(xdotool search --sync --onlyvisible --name '^Plainquill 1\.0$' | head -n1)
xdotool windowmove --sync "$window" 0 0
ticks() { awk '{print $14 + $15}' "/proc/$app/stat"; }
idle() {
  xdotool mousemove --sync "$1" "$2"
  sleep 1
  local before after
  before=$(ticks)
  sleep 10
  after=$(ticks)
  awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" -v what="$3" -v goal="$4" \
    'BEGIN { printf "idle, pointer %s: %.2f %% of a core over 10 s (goal < %s %%)\n", what, t / hz / 10 * 100, goal }'
}
idle 790 590 "outside the window" 1
idle 648 372 "resting over Browse... (chameleon button)" 5
kill "$app"
app=""

"$bench" long 200
