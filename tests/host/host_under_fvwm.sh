#!/bin/sh
# The saver run under a window manager that nests its clients two levels below their frame (fvwm):
# the host must keep finding the windowed renderer (full screen refused) and end only once the
# renderer has gone. Exit code 77 (skipped) without fvwm.
#
# (A 1025 toggle gives a managed window too, but the host may end in the moment between the old window
# and the new one, whatever the window manager; that is not what this test is about.)
#
# host_under_fvwm.sh HOST RENDERER
set -u
host=$1 renderer=$2
work=$(mktemp -d)
xvfb_pid= wm_pid= host_pid=

cleanup() {
  [ -n "$host_pid" ] && kill -9 "$host_pid" 2>/dev/null
  [ -n "${renderer_pid:-}" ] && kill -9 "$renderer_pid" 2>/dev/null
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

command -v fvwm >/dev/null 2>&1 || { echo "SKIP: no fvwm"; exit 77; }
. "$(dirname "$0")/../support/e2e_env.sh"
start_private_xvfb 1280x1024  # no 1024 x 768 mode: the renderer runs in a window
mkdir -p "$work/app" "$work/home"
HOME=$work/home fvwm -f /dev/null >"$work/fvwm.log" 2>&1 &
wm_pid=$!
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_until 10 wm_running || { fail "fvwm did not start: $(cat "$work/fvwm.log")"; exit 1; }
cp "$host" "$work/app/Zorun.scr"
cp "$renderer" "$work/app/Zorun.dll"

# Three watch ticks of 500 ms with the renderer's window in place: the host must still run (the time is
# the check, not a wait for something to happen).
expect_host_watching() {
  sleep 1.6
  kill -0 "$host_pid" 2>/dev/null || fail "$1: the host ended while the renderer ran"
}

renderer_under_host() { ps -eo pid=,args= | awk -v program="$work/app/Zorun.dll" '$2 == program { print $1 }'; }

# The host's first watch tick comes 500 ms after its start: a renderer slower than that to show its
# window (a loaded machine) ends the run before it begins, whatever the window manager, and the run is
# made again.
for attempt in 1 2 3; do
  HOME=$work/home XDG_CACHE_HOME=$work/home/.cache "$work/app/Zorun.scr" /s >"$work/host.log" 2>&1 &
  host_pid=$!
  wait_for_window '^Zorun_VC$' 10 >/dev/null || { fail "no renderer window"; exit 1; }
  renderer_pid=$(renderer_under_host)
  # Not a wait for something to happen: a moment for a host whose first tick came too early to end.
  sleep 0.2
  kill -0 "$host_pid" 2>/dev/null && break
  echo "the host ended before its renderer showed (attempt $attempt)"
  kill -TERM "$renderer_pid" 2>/dev/null
  wait_until 5 gone "$renderer_pid"
done
expect_host_watching "refused full screen"

kill -TERM "$renderer_pid" 2>/dev/null
wait_until 10 gone "$host_pid" || fail "the host outlived the renderer"
host_pid=

[ "$failures" -eq 0 ] && echo "all passed"
[ "$failures" -eq 0 ]
