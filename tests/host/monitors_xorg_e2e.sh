#!/bin/sh
# Zorun under xscreensaver on two monitors side by side (Xorg with the dummy driver, two heads joined by
# Xinerama): xscreensaver starts one display mode per monitor, both draw the clouds in their own window,
# exactly one host plays the music; when the player's run ends the other draws on, and after -deactivate
# nothing of ours is left. Then pairs of hosts started at the same moment, many times:
# never two players, never none.
#
# Exit code 77 (skipped) without xscreensaver, or where Xorg cannot run.
#
# monitors_xorg_e2e.sh HOST RENDERER PROBE WRITE_SETTINGS WORK_ROOT
set -u
host=$1 renderer=$2 probe=$3 write_settings=$4 work_root=$5
xorg_pid= daemon_pid= window_pids=
rounds=${ZORUN_MONITOR_ROUNDS:-20}

. "$(dirname "$0")/../support/xscreensaver_env.sh"
make_user_work "$work_root" monitors

cleanup() {
  [ -n "$daemon_pid" ] && kill "$daemon_pid" 2>/dev/null
  for pid in $window_pids $(ours); do kill -9 "$pid" 2>/dev/null; done
  [ -n "$xorg_pid" ] && kill "$xorg_pid" 2>/dev/null && wait "$xorg_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

start_private_xorg two-heads || { echo "SKIP: no Xorg with the dummy driver can be started here"; exit 77; }
make_app "$host" "$renderer" "$write_settings"

# wait_for_runs N: waits until N hosts and N renderers run and one host plays (a loaded machine may take
# seconds).
wait_for_runs() { wait_until 30 runs "$1"; }
runs() { [ "$(ours_named Zorun.scr | wc -l)" -ge "$1" ] && [ "$(ours_named Zorun.dll | wc -l)" -ge "$1" ] && [ -n "$(players)" ]; }

# expect_one_player WHAT: exactly one host has the music file open. A host that lost the claim opens
# nothing and shows it nowhere, so a moment for a late second player to open it is the check (the sleep
# is not a wait for something to happen).
expect_one_player() {
  sleep 0.5
  count=$(players | wc -l)
  [ "$count" -eq 1 ] || fail "$1: $count hosts play the music"
}

# The window xscreensaver gave the display mode running as process PID.
given_window() { tr '\0' '\n' <"/proc/$1/environ" | sed -n 's/^XSCREENSAVER_WINDOW=//p'; }

# The renderer the host running as process PID started.
renderer_of() {
  for drawer in $(ours_named Zorun.dll); do
    [ "$(ps -o ppid= -p "$drawer" | tr -d ' ')" = "$1" ] && echo "$drawer"
  done
}

# clouds_in WINDOW WHAT: the clouds between the letterbox bars in the window, after the fade-in.
clouds_in() {
  if wait_until 15 clouds "$1"; then echo "$2: $bars"; else fail "$2: no clouds between black bars ($bars)"; fi
}
clouds() { bars=$("$probe" bars "$1"); }

echo "== xscreensaver, two monitors"
start_xscreensaver
xscreensaver_command -activate
if wait_for_runs 2; then
  hosts=$(ours_named Zorun.scr)
  [ "$(echo "$hosts" | wc -l)" -eq 2 ] || fail "not two hosts: $hosts"
  expect_one_player "two monitors"
  [ -e "$home/run/zorun-music.lock" ] || fail "no lock file in the user's runtime folder"
  for saver in $hosts; do
    window=$(given_window "$saver")
    left=$(xwininfo -id "$window" | sed -n 's/.*Absolute upper-left X: *//p')
    clouds_in "$window" "the monitor at x=$left"
  done
  # The player's renderer ends (a crash, say): its host goes, the other monitor draws on.
  player=$(players)
  other=$(echo "$hosts" | grep -vx "$player")
  if [ "$(echo "$player" | wc -w)" -eq 1 ] && [ -n "$other" ]; then
    kill -TERM "$(renderer_of "$player")"
    wait_until 10 gone "$player" || fail "the player outlived its renderer"
    if alive "$other" && [ -n "$(renderer_of "$other")" ]; then
      clouds_in "$(given_window "$other")" "the other monitor after the player ended"
    else
      fail "the other monitor's run ended with the player"
    fi
  fi

  deactivate_all_gone
else
  cat "$work/xscreensaver.log"
  fail "xscreensaver did not start Zorun on both monitors ($(ours_named Zorun.scr | wc -l) hosts)"
fi
stop_xscreensaver

echo "== $rounds pairs started at the same moment"
for _ in 1 2; do
  probe_window "$probe" 320 240
  window_pids="$window_pids $window_pid" windows="${windows:-} $window"
done
# shellcheck disable=SC2086
set -- $windows
for round in $(seq "$rounds"); do
  # One shell starts both, so neither waits for the user switch of the other.
  # shellcheck disable=SC2086
  as_user $session sh -c '"$0" --window-id "$1" & "$0" --window-id "$2" & wait' "$app/zorun" "$1" "$2" &
  starter=$!
  failed=$failures
  if wait_for_runs 2; then
    expect_one_player "round $round"
  else
    fail "round $round: not two runs and a player ($(ours_named Zorun.scr | wc -l) hosts, $(ours_named Zorun.dll | wc -l) renderers)"
  fi
  # How fast they end is the xscreensaver run's check; here each round only starts from nothing.
  for saver in $(ours_named Zorun.scr); do kill -TERM "$saver"; done
  none_of_ours() { [ -z "$(ours)" ]; }
  wait_until 20 none_of_ours || { fail "round $round: still running after 20 s: $(ours | tr '\n' ' ')"; break; }
  wait "$starter"
  [ "$failures" -eq "$failed" ] || break  # one round is enough to show it
done
echo "$round rounds"

[ "$failures" -eq 0 ] && echo "all passed"
[ "$failures" -eq 0 ]
