#!/bin/sh
# Zorun as a display mode of xscreensaver, on an Xvfb of its own: picked in ~/.xscreensaver, started by
# `xscreensaver-command -activate` through a link named zorun, drawing the clouds between the letterbox
# bars in xscreensaver's window, playing the music of Zorun.ini; after -deactivate no process of ours is
# left within a second. Then the settings preview's form, --window-id, on a window of the test's own:
# its end when the window goes, and when its host is killed outright.
#
# xscreensaver starts no display mode as root, so as root (CI) the test runs it as a user of its own.
# Exit code 77 (skipped) without xscreensaver.
#
# xscreensaver_e2e.sh HOST RENDERER PROBE WRITE_SETTINGS WORK_ROOT
set -u
host=$1 renderer=$2 probe=$3 write_settings=$4 work_root=$5
xvfb_pid= daemon_pid= window_pid= failures=0

command -v xscreensaver >/dev/null 2>&1 || { echo "SKIP: no xscreensaver"; exit 77; }

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

user=$(id -un)
if [ "$(id -u)" -eq 0 ]; then
  user=zorun-e2e
  id "$user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /bin/sh "$user" ||
    { echo "cannot make the user $user"; exit 1; }
fi
as_user() {
  if [ "$(id -un)" = "$user" ]; then env "$@"; else runuser -u "$user" -- env "$@"; fi
}

# A folder of the test's own under the build tree, or under /tmp where the user cannot reach the tree.
mkdir -p "$work_root"
work=$(mktemp -d "$work_root/xscreensaver.XXXXXX")
chmod 755 "$work"
if ! as_user test -x "$work"; then
  rm -rf "$work"
  work=$(mktemp -d)
  chmod 755 "$work"
fi

cleanup() {
  [ -n "$daemon_pid" ] && kill "$daemon_pid" 2>/dev/null
  [ -n "$window_pid" ] && kill "$window_pid" 2>/dev/null
  for pid in $(ours); do kill -9 "$pid" 2>/dev/null; done
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

. "$(dirname "$0")/../support/e2e_env.sh"
start_private_xvfb 1280x1024 850

app=$work/app home=$work/home
mkdir -p "$app" "$home"
cp "$host" "$app/Zorun.scr"
cp "$renderer" "$app/Zorun.dll"
ln -s Zorun.scr "$app/zorun"
song=$app/Song.wav
make_silent_wav "$song"
"$write_settings" "$app/Zorun.ini" 2 0 "$song"
chown -R "$user" "$work"
session="HOME=$home DISPLAY=$DISPLAY XDG_CACHE_HOME=$home/.cache ZORUN_AUDIO_SINK=fakesink"

# The processes started from our programs (whoever runs them, through whatever link).
ours() {
  for exe in /proc/[0-9]*/exe; do
    case $(readlink "$exe" 2>/dev/null) in
      "$app"/Zorun.scr | "$app"/Zorun.dll) pid=${exe#/proc/}; echo "${pid%/exe}" ;;
    esac
  done
}
ours_named() {
  for pid in $(ours); do [ "$(readlink "/proc/$pid/exe")" = "$app/$1" ] && echo "$pid"; done
}

# Waits for the host and its renderer; prints the host's process id.
wait_for_run() {
  for _ in $(seq 100); do
    saver=$(ours_named Zorun.scr) drawer=$(ours_named Zorun.dll)
    [ -n "$saver" ] && [ -n "$drawer" ] && { echo "$saver"; return 0; }
    sleep 0.1
  done
  return 1
}

# check_run WHAT HOST_PID [WINDOW]: the clouds between the bars in the window (the whole screen unless
# given), after the fade-in from black, and the music file open in the host.
check_run() {
  what=$1 saver=$2
  shift 2
  # The fade-in takes two seconds of drawing; a loaded machine may take longer to start drawing at all.
  sleep 2
  for _ in $(seq 20); do
    bars=$("$probe" bars "$@") && break
    sleep 0.5
  done
  echo "$what: $bars"
  "$probe" bars "$@" >/dev/null || fail "$what: no clouds between black bars"
  kill -0 "$saver" 2>/dev/null || { fail "$what: the host ended while its renderer drew"; return; }
  ls -l "/proc/$saver/fd" 2>/dev/null | grep -q "$song" || fail "$what: the music file is not open"
  [ "$(ours_named Zorun.dll | wc -l)" -eq 1 ] || fail "$what: not exactly one renderer"
}

# A process that has not ended (a zombie has).
alive() { [ -e "/proc/$1" ] && ! grep -q '^State:.*zombie' "/proc/$1/status" 2>/dev/null; }

# expect_all_gone WHAT PIDS START: fails unless the processes (ours, listed before the trigger at START,
# in nanoseconds) have all ended within a second of it and no other of ours runs; prints how long it took.
expect_all_gone() {
  what=$1 pids=$2 start=$3
  while :; do
    left=
    for pid in $pids; do alive "$pid" && left="$left $pid"; done
    elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
    [ -z "$left" ] && break
    [ "$elapsed" -gt 1000 ] && { fail "$what: left running after a second:$left"; return; }
    sleep 0.02
  done
  echo "$what: all gone after $elapsed ms"
  [ -z "$(ours)" ] || fail "$what: another process of ours runs: $(ours | tr '\n' ' ')"
}

echo "== xscreensaver --root"
cat >"$home/.xscreensaver" <<EOF2
mode:		one
selected:	0
timeout:	1:00:00
cycle:		0:00:00
lock:		False
fade:		False
unfade:		False
splash:		False
dpmsEnabled:	False
programs:	GL: $app/zorun --root \n
EOF2
chown "$user" "$home/.xscreensaver"
# shellcheck disable=SC2086
as_user $session xscreensaver -no-splash >"$work/xscreensaver.log" 2>&1 &
daemon_pid=$!
ready=
for _ in $(seq 100); do
  # shellcheck disable=SC2086
  as_user $session xscreensaver-command -time >/dev/null 2>&1 && { ready=1; break; }
  sleep 0.1
done
[ -n "$ready" ] || { cat "$work/xscreensaver.log"; fail "xscreensaver did not start"; exit 1; }
# shellcheck disable=SC2086
as_user $session xscreensaver-command -activate >/dev/null
if saver=$(wait_for_run); then
  # xscreensaver's window covers the screen.
  check_run "xscreensaver" "$saver"
  pids=$(ours) start=$(date +%s%N)
  # shellcheck disable=SC2086
  as_user $session xscreensaver-command -deactivate >/dev/null
  expect_all_gone "xscreensaver -deactivate" "$pids" "$start"
else
  cat "$work/xscreensaver.log"
  fail "xscreensaver started no Zorun"
fi
# shellcheck disable=SC2086
as_user $session xscreensaver-command -exit >/dev/null 2>&1
wait "$daemon_pid" 2>/dev/null
daemon_pid=

echo "== --window-id on a window of the test's own"
"$probe" window 640 480 >"$work/window" &
window_pid=$!
for _ in $(seq 50); do [ -s "$work/window" ] && break; sleep 0.1; done
window=$(cat "$work/window")
# shellcheck disable=SC2086
as_user $session "$app/zorun" --window-id "$window" >"$work/preview.log" 2>&1 &
if saver=$(wait_for_run); then
  check_run "--window-id" "$saver" "$window"
  pids=$(ours) start=$(date +%s%N)
  kill "$window_pid"
  window_pid=
  expect_all_gone "the window destroyed" "$pids" "$start"
else
  fail "--window-id started no run"
fi

echo "== --window-id, the host killed outright"
"$probe" window 320 240 >"$work/window" &
window_pid=$!
for _ in $(seq 50); do [ -s "$work/window" ] && break; sleep 0.1; done
# shellcheck disable=SC2086
as_user $session "$app/zorun" -window-id "$(cat "$work/window")" >"$work/killed.log" 2>&1 &
if saver=$(wait_for_run); then
  pids=$(ours) start=$(date +%s%N)
  kill -9 "$saver"
  expect_all_gone "the host killed" "$pids" "$start"
else
  fail "-window-id started no run"
fi

[ "$failures" -eq 0 ] && echo "all passed"
[ "$failures" -eq 0 ]
