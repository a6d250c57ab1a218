# Sourced by the end-to-end scripts: an Xvfb and a Wine prefix of their own. Needs $work (a temporary
# folder the caller removes) and sets $xvfb_pid (for the caller's cleanup), DISPLAY and WINEPREFIX.

# start_private_xvfb SCREEN FIRST_NUMBER: an Xvfb of SCREEN pixels (e.g. 1024x768) on a display number
# nobody uses, so runs with different screens can go side by side and the pixels are ours alone.
start_private_xvfb() {
  n=$(( ($$ % 400) + $2 ))
  xvfb_pid=
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    if [ ! -e /tmp/.X$n-lock ]; then
      # -noreset: a server that resets when its last client leaves refuses the next program during the reset.
      Xvfb :$n -screen 0 "$1x24" -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
      xvfb_pid=$!
      for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
      if kill -0 "$xvfb_pid" 2>/dev/null && [ -e /tmp/.X11-unix/X$n ]; then break; fi
      xvfb_pid=
    fi
    n=$((n + 1))
  done
  [ -n "$xvfb_pid" ] || { echo "no Xvfb could be started"; exit 1; }
  export DISPLAY=:$n
}

# HACK: Wine answers display questions from the display its prefix's first process saw, and the
# programs write into the prefix's drive C: each run gets a private prefix, hard-linked from the given
# one (fast), with the files Wine rewrites copied for real.
use_private_wine_prefix() {
  base=${WINEPREFIX:-$HOME/.wine}
  if [ -d "$base" ]; then
    cp -al "$base" "$work/prefix"
    for f in "$work"/prefix/*.reg; do [ -e "$f" ] && cp --remove-destination "$base/$(basename "$f")" "$f"; done
  fi
  export WINEPREFIX=$work/prefix WINEDEBUG=${WINEDEBUG:--all}
}

# wait_for_window TITLE_REGEX [TENTHS]: prints the first window whose title matches, once there is one
# (within TENTHS tenths of a second, 300 unless told); prints nothing and fails when none comes.
wait_for_window() {
  for _ in $(seq "${2:-300}"); do
    found=$(xdotool search --name "$1" 2>/dev/null | head -n 1)
    [ -n "$found" ] && { echo "$found"; return 0; }
    sleep 0.1
  done
  return 1
}
