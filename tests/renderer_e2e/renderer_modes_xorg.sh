#!/bin/sh
# The renderer on an X server with two display modes: full screen switches the screen to 1024 x 768 for
# real, and every way out (Escape, a close request, SIGTERM, SIGINT, SIGHUP, a toggle to windowed) gives
# the screen its 1280 x 1024 back. Under the host, toggles (each a real mode switch between two windows)
# keep the host and its music. A renderer killed outright cannot give the mode back: then the host that
# started it does once it has ended. Exit code 77 (skipped) where Xorg cannot run.
#
# renderer_modes_xorg.sh RENDERER TOGGLE PROBE HOST WRITER SLOW_SWITCH
#   WRITER       write_settings: writes Zorun.ini
#   SLOW_SWITCH  a library preloaded under the host that makes each mode switch as slow as a monitor's
set -u
renderer=$1 toggle=$2 probe=$3 host=$4 writer=$5 slow_switch=$6
work=$(mktemp -d)
xorg_pid= renderer_pid=

cleanup() {
  [ -n "$renderer_pid" ] && kill -9 "$renderer_pid" 2>/dev/null
  [ -n "$xorg_pid" ] && kill "$xorg_pid" 2>/dev/null && wait "$xorg_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

. "$(dirname "$0")/../support/e2e_env.sh"
start_private_xorg || { echo "SKIP: no Xorg with the dummy driver can be started here"; exit 77; }
original=$(screen_size)
[ "$original" = 1280x1024 ] || { fail "Xorg started at $original"; exit 1; }

screen_is() { [ "$(screen_size)" = "$1" ]; }
# Waits up to 5 s for the screen to have the given size.
expect_screen() {
  wait_until 10 screen_is "$1" || fail "$2: the screen is $(screen_size), wanted $1"
}

expect_exit() {
  wait_until 20 gone "$renderer_pid" || { fail "$1: still running"; kill -9 "$renderer_pid"; }
  wait "$renderer_pid"
  renderer_pid=
}

for ending in Escape close TERM INT HUP toggle; do
  echo "== $ending"
  "$renderer" >"$work/renderer.log" 2>&1 &
  renderer_pid=$!
  line=$("$probe" wait)
  echo "window: $line"
  case $line in *" fullscreen 1024x768") ;; *) fail "$ending: no full-screen window" ;; esac
  expect_screen 1024x768 "$ending: full screen"
  case $ending in
  Escape)
    escape_to_renderer "$renderer_pid" ;;
  close) "$probe" close || fail "close: not sent" ;;
  toggle)
    "$toggle" || fail "toggle: not sent"
    line=$("$probe" wait "${line%% *}")
    echo "window: $line"
    expect_screen "$original" "toggle to windowed"
    "$probe" close ;;
  *) kill -s "$ending" "$renderer_pid" ;;
  esac
  expect_exit "$ending"
  expect_screen "$original" "after $ending"
done

echo "== four toggles under the host, each switch as slow as a monitor's, then SIGKILL"
mkdir -p "$work/app" "$work/home"
cp "$host" "$work/app/Zorun.scr"
cp "$renderer" "$work/app/Zorun.dll"
make_silent_wav "$work/app/song.wav"
"$writer" "$work/app/Zorun.ini" 2 0 "$work/app/song.wav"
# The host does not keep its renderer as a child: it is found by its program's path.
renderer_under_host() { ps -eo pid=,args= | awk -v program="$work/app/Zorun.dll" '$2 == program { print $1 }'; }
playing() { ls -l "/proc/$host_pid/fd" 2>/dev/null | grep -q "$work/app/song.wav"; }
# The renderer switches between one window and the next: a switch of 1.5 s leaves the watch ticks of
# that time without a renderer window.
HOME=$work/home XDG_CACHE_HOME=$work/home/.cache ZORUN_AUDIO_SINK=fakesink LD_PRELOAD=$slow_switch \
  "$work/app/Zorun.scr" /s >"$work/host.log" 2>&1 &
host_pid=$!
line=$("$probe" wait)
echo "window: $line"
expect_screen 1024x768 "under the host: full screen"
playing || fail "start: the host or its music is gone"
for toggle_number in 1 2 3 4; do
  "$toggle" || fail "toggle $toggle_number: not sent"
  line=$("$probe" wait "${line%% *}")
  echo "window after toggle $toggle_number: $line"
  # Not a wait for something to happen: two watch periods in which a host that lost its renderer in the
  # switch would have ended.
  sleep 1
  playing || fail "toggle $toggle_number: the host or its music is gone"
done
expect_screen 1024x768 "after four toggles: full screen again"
kill -KILL "$(renderer_under_host)"
expect_screen "$original" "after SIGKILL"
wait_until 10 gone "$host_pid" || { fail "the host outlived the renderer"; kill -9 "$host_pid"; }

[ "$failures" -eq 0 ] && echo "all passed"
[ "$failures" -eq 0 ]
