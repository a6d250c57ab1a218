#!/bin/sh
# The saver run under a window manager that nests its clients two levels below their frame (fvwm):
# the host must keep finding the windowed renderer (full screen refused, then toggled through 1025),
# and end only once the renderer has gone. Exit code 77 (skipped) without fvwm.
#
# host_under_fvwm.sh HOST RENDERER TOGGLE
set -u
host=$1 renderer=$2 toggle=$3
work=$(mktemp -d)
xvfb_pid= wm_pid= host_pid= failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

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
start_private_xvfb 1280x1024 800  # no 1024 x 768 mode: the renderer runs in a window
mkdir -p "$work/app" "$work/home"
HOME=$work/home fvwm -f /dev/null >"$work/fvwm.log" 2>&1 &
wm_pid=$!
sleep 1
cp "$host" "$work/app/Zorun.scr"
cp "$renderer" "$work/app/Zorun.dll"

HOME=$work/home XDG_CACHE_HOME=$work/home/.cache "$work/app/Zorun.scr" /s >"$work/host.log" 2>&1 &
host_pid=$!

# Waits for a renderer window other than $1 and prints its id.
wait_renderer() {
  for _ in $(seq 100); do
    id=$(xdotool search --name '^Zorun_VC$' 2>/dev/null | grep -v "^${1:-none}\$" | head -n 1)
    [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.1
  done
}

# Three watch ticks of 500 ms with the renderer's window in place: the host must still run.
expect_host_watching() {
  sleep 1.6
  kill -0 "$host_pid" 2>/dev/null || fail "$1: the host ended while the renderer ran"
}

window=$(wait_renderer)
[ -n "$window" ] || { fail "no renderer window"; exit 1; }
renderer_pid=$(ps -o pid= --ppid "$host_pid" | tr -d ' ' | head -n 1)
expect_host_watching "refused full screen"
"$toggle" || fail "toggle: not sent"
window=$(wait_renderer "$window")
[ -n "$window" ] || fail "no renderer window after the toggle"
expect_host_watching "after the toggle"

kill -TERM "$renderer_pid" 2>/dev/null
for _ in $(seq 30); do kill -0 "$host_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$host_pid" 2>/dev/null && fail "the host outlived the renderer"
host_pid=

[ "$failures" -eq 0 ] && echo "all passed"
[ "$failures" -eq 0 ]
