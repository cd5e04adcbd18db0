#!/usr/bin/env bash
# Makes docs/screenshot.png: the program's window on a private X server (Xvfb), with a few sample
# documents queued through the window itself, as a user would queue them.
#   scripts/screenshot.sh [build dir] [folder of documents to queue]
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/scripts/private_display.sh"
build=${1:-$here/build}
documents=${2:-$here/../shared/corpus/textract/tests}
program=$build/plainquill
out=$here/docs/screenshot.png
[ -x "$program" ] || { echo "build the program first: $program is missing" >&2; exit 1; }

# A fixed, neutral place: its paths show in the picture.
work=${TMPDIR:-/tmp}/plainquill-demo
rm -rf "$work"
mkdir -p "$work"
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

mkdir -m 700 "$work/runtime"
XDG_RUNTIME_DIR="$work/runtime" HOME="$work" QT_QPA_PLATFORM=xcb "$program" 2>/dev/null &
app=$!
window=$(xdotool search --sync --onlyvisible --name '^Plainquill 1\.0$' | head -n1)

# Positions in the window's pixels: the layout's twips divided by 15.
click() { xdotool mousemove --sync "$1" "$2" click 1; }
if [ -d "$documents" ]; then
  mkdir -p "$work/Documents"
  cp -r "$documents" "$work/Documents/Reports"
  click 22 400   # Multiple files
  click 22 424   # Include Sub-Folders
  click 648 372  # Browse...
  xdotool search --sync --onlyvisible --name 'select input folder' > /dev/null
  xdotool key ctrl+a type --delay 2 "$work/Documents/Reports"
  for _ in 1 2 3; do
    xdotool search --onlyvisible --name 'select input folder' > /dev/null || break
    xdotool key Return
    sleep 0.5
  done
  click 448 412  # the output-folder box
  xdotool type --delay 2 "$work/Documents/Plain text"
fi
xdotool mousemove 790 590  # no hover on any button
sleep 0.5

mkdir -p "$(dirname "$out")"
import -window "$window" "$out"
echo "wrote $out"
