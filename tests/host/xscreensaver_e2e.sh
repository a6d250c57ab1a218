#!/bin/sh
# Zorun as a display mode of xscreensaver, on an Xvfb of its own: picked in ~/.xscreensaver, started by
# `xscreensaver-command -activate` through a link named zorun, drawing the clouds between the letterbox
# bars in xscreensaver's window, playing the music of Zorun.ini; after -deactivate no process of ours is
# left. Then the settings preview's form, --window-id, on a window of the test's own, with
# the music options of zorun.xml: their file plays instead of Zorun.ini's, which stays as it was; its end
# when the window goes, and when its host is killed outright. A malformed option gives the usage line.
#
# xscreensaver starts no display mode as root, so as root (CI) the test runs it as a user of its own.
# Exit code 77 (skipped) without xscreensaver.
#
# xscreensaver_e2e.sh HOST RENDERER PROBE WRITE_SETTINGS WORK_ROOT
set -u
host=$1 renderer=$2 probe=$3 write_settings=$4 work_root=$5
xvfb_pid= daemon_pid= window_pid=

. "$(dirname "$0")/../support/xscreensaver_env.sh"
make_user_work "$work_root" xscreensaver

trap end_xscreensaver_run EXIT

start_private_xvfb 1280x1024
make_app "$host" "$renderer" "$write_settings"

clouds() { bars=$("$probe" bars "$@"); }

# check_run WHAT HOST_PID [WINDOW]: the clouds between the bars in the window (the whole screen unless
# given), after the fade-in from black, and the music file open in the host.
check_run() {
  what=$1 saver=$2
  shift 2
  # The fade-in takes two seconds of drawing; a loaded machine may take longer to start drawing at all.
  wait_until 15 clouds "$@" || fail "$what: no clouds between black bars"
  echo "$what: $bars"
  kill -0 "$saver" 2>/dev/null || { fail "$what: the host ended while its renderer drew"; return; }
  ls -l "/proc/$saver/fd" 2>/dev/null | grep -q "$song" || fail "$what: the music file is not open"
  [ "$(ours_named Zorun.dll | wc -l)" -eq 1 ] || fail "$what: not exactly one renderer"
}

echo "== xscreensaver --root"
start_xscreensaver
xscreensaver_command -activate
if saver=$(wait_for_run); then
  # xscreensaver's window covers the screen.
  check_run "xscreensaver" "$saver"
  deactivate_all_gone
else
  cat "$work/xscreensaver.log"
  fail "xscreensaver started no Zorun"
fi
stop_xscreensaver

echo "== --window-id on a window of the test's own, the music chosen by xscreensaver's options"
ini_song=$song ini_sum=$(cksum <"$app/Zorun.ini")
song=$app/Other.wav
make_silent_wav "$song"
chown "$user" "$song"
probe_window "$probe" 640 480
# shellcheck disable=SC2086
as_user $session "$app/zorun" --window-id "$window" --music file --music-file "$song" >"$work/preview.log" 2>&1 &
if saver=$(wait_for_run); then
  check_run "--window-id" "$saver" "$window"
  ! ls -l "/proc/$saver/fd" 2>/dev/null | grep -q "$ini_song" || fail "--window-id: Zorun.ini's music plays as well"
  pids=$(ours) start=$(date +%s%N)
  kill "$window_pid"
  window_pid=
  expect_all_gone "the window destroyed" "$pids" "$start"
else
  cat "$work/preview.log"
  fail "--window-id started no run"
fi

[ "$(cksum <"$app/Zorun.ini")" = "$ini_sum" ] || fail "the music options changed Zorun.ini"

echo "== malformed music options"
for options in "--root --music radio" "--music none"; do
  # shellcheck disable=SC2086
  as_user $session "$app/zorun" $options >"$work/malformed.log" 2>&1
  code=$?
  { [ "$code" -eq 1 ] && grep -q "usage: Zorun.scr" "$work/malformed.log"; } ||
    { cat "$work/malformed.log"; fail "$options: exit code $code and no usage line"; }
done

echo "== --window-id, the host killed outright"
probe_window "$probe" 320 240
# shellcheck disable=SC2086
as_user $session "$app/zorun" -window-id "$window" >"$work/killed.log" 2>&1 &
if saver=$(wait_for_run); then
  pids=$(ours) start=$(date +%s%N)
  kill -9 "$saver"
  expect_all_gone "the host killed" "$pids" "$start"
else
  cat "$work/killed.log"
  fail "-window-id started no run"
fi

[ "$failures" -eq 0 ] && echo "all passed"
[ "$failures" -eq 0 ]
