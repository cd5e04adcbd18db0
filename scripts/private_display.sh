# Sourced by scripts that show the window without a screen: starts Xvfb on a display it finds free.
#   start_private_display WORK_FOLDER   sets DISPLAY, and xvfb_pid for the caller to stop
start_private_display() {
  # Xvfb writes the display number it found free to the given descriptor.
  exec 3> "$1/display"
  Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 2>/dev/null &
  xvfb_pid=$!
  exec 3>&-
  for _ in $(seq 100); do [ -s "$1/display" ] && break; sleep 0.05; done
  export DISPLAY=":$(cat "$1/display")"
}
