# Sourced by scripts that need a display of their own.
# start_private_display <work folder>: starts Xvfb (1280x1024) and openbox,
# exports DISPLAY, and sets xvfb_pid and wm_pid for the caller to end them.
# Both run in a session of their own, so that a Ctrl-C at the terminal reaches
# only the caller's programs, which can then end while the display is there.
start_private_display() {
  local work=$1
  setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.05; done
  export DISPLAY=":$(cat "$work/display")"
  setsid openbox --sm-disable >/dev/null 2>&1 &
  wm_pid=$!
}
