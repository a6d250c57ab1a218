# Sourced by the end-to-end scripts and benchmarks: an Xvfb and a Wine prefix of their own, in $work, a
# temporary folder.

# fail WHAT: a check that failed, said and counted; the scripts end with the count.
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# wait_until SECONDS COMMAND...: runs COMMAND (a program or a shell function) every 100 ms until it
# succeeds; fails once SECONDS (1.5 is fine) have passed without. The bound is for a loaded machine, not a
# measure of speed: only a test that would fail anyway waits that long.
wait_until() {
  wait_until_end=$(($(date +%s%N) / 1000000 + $(echo "$1" | awk '{ print int($1 * 1000) }')))
  shift
  until "$@"; do
    [ "$(($(date +%s%N) / 1000000))" -lt "$wait_until_end" ] || return 1
    sleep 0.1
  done
}

# gone PID: process PID has ended (a zombie has), or was never there.
gone() { ! kill -0 "$1" 2>/dev/null || grep -q '^State:.*zombie' "/proc/$1/status" 2>/dev/null; }

# start_private_session SCREEN: what every run starts with: $work, a private Xvfb (see start_private_xvfb)
# and, for the Windows build ($runner set), a private Wine prefix. The caller adds each process it starts
# to $pids; at exit those are ended, then the private prefix's Wine and the Xvfb, and $work is removed.
start_private_session() {
  work=$(mktemp -d)
  pids=
  trap end_private_session EXIT
  start_private_xvfb "$1"
  if [ -n "${runner:-}" ]; then use_private_wine_prefix; fi
}

end_private_session() {
  for p in $pids; do kill "$p" 2>/dev/null; done
  if [ "${WINEPREFIX:-}" = "$work/prefix" ]; then wineserver -k 2>/dev/null; fi
  if [ -n "${xvfb_pid:-}" ]; then kill "$xvfb_pid" 2>/dev/null; fi
  rm -rf "$work"
}

# wait_for_display_number FILE PID: the display number a server started with -displayfd writes into FILE
# once it accepts clients (within 30 s: a loaded machine starts servers slowly); nothing when server PID
# ended first or took longer.
wait_for_display_number() {
  for _ in $(seq 300); do
    # The server writes the number and its newline at once, once it is ready; the file itself comes
    # with the server's process, a moment after the caller went on.
    [ -s "$1" ] && [ "$(wc -l <"$1")" -ge 1 ] && { head -n 1 "$1"; return 0; }
    kill -0 "$2" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# start_private_xvfb SCREEN: an Xvfb of SCREEN pixels (e.g. 1024x768) on a display number nobody uses,
# so runs with different screens can go side by side and the pixels are ours alone. The server picks the
# number itself (-displayfd) under its own lock file: tests started at the same moment cannot both pick
# the same one.
start_private_xvfb() {
  # -noreset: a server that resets when its last client leaves refuses the next program during the reset.
  # -ardelay: no key repeats by itself when a loaded machine delays xdotool's release.
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset -ardelay 60000 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  n=$(wait_for_display_number "$work/display" "$xvfb_pid") ||
    { cat "$work/xvfb.log"; echo "no Xvfb could be started"; exit 1; }
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

# make_test_user NAME: the system user NAME, for runs as someone other than root; made once. Tests
# side by side make it under one lock: useradd fails outright while another holds the user database.
make_test_user() {
  id "$1" >/dev/null 2>&1 && return 0
  # shellcheck disable=SC2016
  flock /var/lock/zorun-test-user.lock \
    sh -c 'id "$1" >/dev/null 2>&1 || useradd --system --no-create-home --shell /bin/sh "$1"' sh "$1"
}

# wait_for_window TITLE_REGEX [SECONDS]: prints the first window whose title matches, once there is one
# (within SECONDS, 30 unless told); prints nothing and fails when none comes.
wait_for_window() {
  wait_until "${2:-30}" window_titled "$1" && echo "$found"
}
window_titled() { found=$(xdotool search --name "$1" 2>/dev/null | head -n 1) && [ -n "$found" ]; }
gone_window() { ! window_titled "$1"; }

# escape_to_renderer PID: presses Escape in the window titled Zorun_VC until process PID has ended
# (five tries, two seconds each).
escape_to_renderer() {
  for _ in 1 2 3 4 5; do
    x=$(xdotool search --name '^Zorun_VC$' 2>/dev/null | head -1)
    [ -n "$x" ] && xdotool windowfocus "$x" 2>/dev/null
    # Held until the renderer ends, as a person holds it: the renderer reads the key table once a frame,
    # so a press released before the next frame is not seen, and a loaded machine draws slowly.
    xdotool keydown Escape
    wait_until 2 gone "$1"
    ended=$?
    xdotool keyup Escape
    [ "$ended" -eq 0 ] && return 0
  done
  return 1
}

# saver_run_ends_on_escape HOST: `HOST /s` under $runner (the Windows build) shows the renderer's window,
# and Escape ends the renderer and then the saver; each fault goes to the caller's fail.
saver_run_ends_on_escape() {
  "$runner" "$1" /s >"$work/saver.log" 2>&1 &
  saver=$!
  pids="$pids $saver"
  if wait_for_window '^Zorun_VC$' >/dev/null; then
    escape_to_renderer "$saver" || fail "Escape did not end the saver"
    wait_until 10 gone "$saver" || fail "the saver did not end"
  else
    fail "the saver started no window titled Zorun_VC (the renderer beside it)"
  fi
}

# The Xorg configurations of start_private_xorg, on Debian's dummy video driver (GLX through Mesa).
# One head with two display modes, 1280x1024 (the one it starts in) and 1024x768, which RandR switches
# for real.
xorg_config_modes() {
  cat <<'CONF'
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoEnableDevices" "false"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 32768
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
  Modeline "1280x1024" 108.00 1280 1328 1440 1688 1024 1025 1028 1066 +hsync +vsync
  Modeline "1024x768" 65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes "1280x1024" "1024x768"
  EndSubSection
EndSection
CONF
}

# Two monitors side by side, 800x600 at 0,0 and at 800,0, one screen of 1600x600 through Xinerama (Xvfb's
# screens would lie on top of each other).
xorg_config_two_heads() {
  cat <<'CONF'
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoEnableDevices" "false"
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
  Modeline "800x600" 40.00 800 840 968 1056 600 601 605 628 +hsync +vsync
EndSection
CONF
  for head in 0 1; do
    cat <<CONF
Section "Device"
  Identifier "D$head"
  Driver "dummy"
  VideoRam 16384
EndSection
Section "Screen"
  Identifier "S$head"
  Device "D$head"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes "800x600"
  EndSubSection
EndSection
CONF
  done
  cat <<'CONF'
Section "ServerLayout"
  Identifier "layout"
  Screen 0 "S0"
  Screen 1 "S1" RightOf "S0"
  Option "Xinerama" "on"
EndSection
CONF
}

# start_private_xorg [two-heads]: a real X server, Xorg with the dummy video driver, on a display number
# nobody uses (picked by the server, as start_private_xvfb's): one head with two display modes
# (xorg_config_modes), or two heads side by side (xorg_config_two_heads). Sets $xorg_pid (for the
# caller's cleanup) and DISPLAY; returns 1 where Xorg cannot run (not installed, or not allowed to start
# for this user).
start_private_xorg() {
  command -v Xorg >/dev/null 2>&1 && [ -e /usr/lib/xorg/modules/drivers/dummy_drv.so ] || return 1
  if [ "${1:-}" = two-heads ]; then xorg_config_two_heads; else xorg_config_modes; fi >"$work/xorg.conf"
  # An absolute -config is accepted from root only, which is also the only user Xorg starts for here.
  Xorg -displayfd 3 -config "$work/xorg.conf" -noreset -nolisten tcp -logfile "$work/xorg.log" \
    3>"$work/display" >"$work/xorg.out" 2>&1 &
  xorg_pid=$!
  if ! n=$(wait_for_display_number "$work/display" "$xorg_pid") || ! DISPLAY=:$n xdpyinfo >/dev/null 2>&1; then
    kill "$xorg_pid" 2>/dev/null
    xorg_pid=
    tail -n 5 "$work/xorg.out" 2>/dev/null
    return 1
  fi
  export DISPLAY=:$n
}

# The size of the screen of $DISPLAY as RandR has set it, e.g. 1280x1024.
screen_size() {
  xdpyinfo 2>/dev/null | sed -n 's/.*dimensions: *\([0-9]*x[0-9]*\) pixels.*/\1/p'
}

# make_silent_wav FILE: two seconds of 8 kHz, 8-bit mono silence, a music file for the saver runs.
make_silent_wav() {
  {
    printf 'RIFF\200\076\000\000WAVEfmt \020\000\000\000\001\000\001\000\100\037\000\000\100\037\000\000'
    printf '\001\000\010\000data\200\076\000\000'
    head -c 16000 /dev/zero | tr '\0' '\200'
  } >"$1"
}
