# Sourced by the end-to-end scripts that run Zorun under xscreensaver: a user that may run display modes,
# a folder it can reach, a program folder with music, the xscreensaver daemon, and the processes of ours;
# fail WHAT counts a failure in $failures. Sourced from a script in a sibling folder of tests/support
# (e2e_env.sh comes with it). Without xscreensaver the script ends with 77 (skipped).

command -v xscreensaver >/dev/null 2>&1 || { echo "SKIP: no xscreensaver"; exit 77; }

. "$(dirname "$0")/../support/e2e_env.sh"

# xscreensaver starts no display mode as root, so as root (CI) the runs are made as a user of our own.
app=
user=$(id -un)
if [ "$(id -u)" -eq 0 ]; then
  user=zorun-e2e
  make_test_user "$user" || { echo "cannot make the user $user"; exit 1; }
fi
as_user() {
  if [ "$(id -un)" = "$user" ]; then env "$@"; else runuser -u "$user" -- env "$@"; fi
}

# make_user_work WORK_ROOT NAME: sets $work, a folder of the test's own under WORK_ROOT (the build tree),
# or under /tmp where the user cannot reach the tree.
make_user_work() {
  mkdir -p "$1"
  work=$(mktemp -d "$1/$2.XXXXXX")
  chmod 755 "$work"
  if ! as_user test -x "$work"; then
    rm -rf "$work"
    work=$(mktemp -d)
    chmod 755 "$work"
  fi
}

# make_app HOST RENDERER WRITE_SETTINGS: the program folder $app (Zorun.scr, Zorun.dll, the link zorun,
# a Zorun.ini that plays the WAV file $song), the user's home $home, and $session, the environment of
# the user's programs on $DISPLAY (its own cache and runtime folders, music to a fake sink).
make_app() {
  app=$work/app home=$work/home
  mkdir -p "$app" "$home/run"
  chmod 700 "$home/run"
  cp "$1" "$app/Zorun.scr"
  cp "$2" "$app/Zorun.dll"
  ln -s Zorun.scr "$app/zorun"
  song=$app/Song.wav
  make_silent_wav "$song"
  "$3" "$app/Zorun.ini" 2 0 "$song"
  chown -R "$user" "$work"
  session="HOME=$home DISPLAY=$DISPLAY XDG_CACHE_HOME=$home/.cache XDG_RUNTIME_DIR=$home/run ZORUN_AUDIO_SINK=fakesink"
}

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

# The hosts that have the music file open.
players() {
  for pid in $(ours_named Zorun.scr); do
    ls -l "/proc/$pid/fd" 2>/dev/null | grep -q "$song" && echo "$pid"
  done
}

# A process that has not ended (a zombie has).
alive() { [ -e "/proc/$1" ] && ! grep -q '^State:.*zombie' "/proc/$1/status" 2>/dev/null; }

# expect_all_gone WHAT PIDS START: fails unless the processes (ours, listed before the trigger at START,
# in nanoseconds) have all ended and no other of ours runs; prints how long it took. The bound of 10 s is
# for a loaded machine: only a process left running for good fails it (how fast is the benchmarks' job).
expect_all_gone() {
  what=$1 pids=$2 start=$3
  while :; do
    left=
    for pid in $pids; do alive "$pid" && left="$left $pid"; done
    elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
    [ -z "$left" ] && break
    [ "$elapsed" -gt 10000 ] && { fail "$what: left running after 10 s:$left"; return; }
    sleep 0.02
  done
  echo "$what: all gone after $elapsed ms"
  [ -z "$(ours)" ] || fail "$what: another process of ours runs: $(ours | tr '\n' ' ')"
}

# probe_window PROBE WIDTH HEIGHT: a window of the probe's to draw in, as xscreensaver's settings preview
# gives one; sets $window (its id) and $window_pid (the probe: the window goes when it is killed). A
# loaded machine may take seconds to start it.
probe_window() {
  : >"$work/window"
  "$1" window "$2" "$3" >"$work/window" &
  window_pid=$!
  wait_until 30 test -s "$work/window"
  window=$(cat "$work/window")
}

# start_xscreensaver: the daemon as the user, with Zorun its only display mode; sets $daemon_pid.
start_xscreensaver() {
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
  start_xscreensaver_as_set_up
}

# start_xscreensaver_as_set_up: the daemon as the user, with the user's ~/.xscreensaver as it is and
# $app on its search path (as xscreensaver's own folder is for an installed Zorun); sets $daemon_pid.
start_xscreensaver_as_set_up() {
  # shellcheck disable=SC2086
  as_user $session PATH="$app:$PATH" xscreensaver -no-splash >"$work/xscreensaver.log" 2>&1 &
  daemon_pid=$!
  # shellcheck disable=SC2086
  wait_until 20 as_user $session xscreensaver-command -time >/dev/null 2>&1 && return 0
  cat "$work/xscreensaver.log"
  fail "xscreensaver did not start"
  exit 1
}

# end_xscreensaver_run: the end of a run on a private Xvfb, at its exit: the daemon, the probe's window,
# every process of ours, the Xvfb and $work go.
end_xscreensaver_run() {
  [ -n "${daemon_pid:-}" ] && kill "$daemon_pid" 2>/dev/null
  [ -n "${window_pid:-}" ] && kill "$window_pid" 2>/dev/null
  for pid in $(ours); do kill -9 "$pid" 2>/dev/null; done
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}

# xscreensaver_command ARGUMENT...: xscreensaver-command as the user, quietly.
xscreensaver_command() {
  # shellcheck disable=SC2086
  as_user $session xscreensaver-command "$@" >/dev/null 2>&1
}

# wait_for_run: waits for a host and its renderer of ours (a loaded machine may take seconds); prints
# the host's process id.
wait_for_run() { wait_until 60 a_run && echo "$saver"; }
a_run() { saver=$(ours_named Zorun.scr) drawer=$(ours_named Zorun.dll) && [ -n "$saver" ] && [ -n "$drawer" ]; }

# deactivate_all_gone: -deactivate, and nothing of ours left after it.
deactivate_all_gone() {
  pids=$(ours) start=$(date +%s%N)
  xscreensaver_command -deactivate
  expect_all_gone "xscreensaver -deactivate" "$pids" "$start"
}

stop_xscreensaver() {
  xscreensaver_command -exit
  wait "$daemon_pid" 2>/dev/null
  daemon_pid=
}
