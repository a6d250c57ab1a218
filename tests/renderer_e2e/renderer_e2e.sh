#!/bin/sh
# End-to-end run of the real Zorun.dll on its own Xvfb screen: title, mode toggles, Escape, close request.
#
# renderer_e2e.sh SCREEN RENDERER TOGGLE PROBE EXPECTED [RUNNER]
#   SCREEN    Xvfb screen size, e.g. 1024x768
#   EXPECTED  window states after start, first and second toggle: "fullscreen:1024x768 windowed:* ..."
#             (a size of * is not checked)
#   RUNNER    empty for native programs, the path of wine for the Windows build
set -u
screen=$1 renderer=$2 toggle=$3 probe=$4 expected=$5 runner=${6:-}
work=$(mktemp -d)
xvfb_pid=
renderer_pid=
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cleanup() {
  [ -n "$renderer_pid" ] && kill "$renderer_pid" 2>/dev/null
  if [ -n "$runner" ]; then WINEPREFIX=$work/prefix wineserver -k 2>/dev/null; fi
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A display number nobody uses, so runs with different screen sizes can go side by side.
n=$(( ($$ % 400) + 200 ))
for _ in 1 2 3 4 5 6 7 8 9 10; do
  if [ ! -e /tmp/.X$n-lock ]; then
    Xvfb :$n -screen 0 "${screen}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
    if kill -0 "$xvfb_pid" 2>/dev/null && [ -e /tmp/.X11-unix/X$n ]; then break; fi
    xvfb_pid=
  fi
  n=$((n + 1))
done
[ -n "$xvfb_pid" ] || { echo "no Xvfb could be started"; exit 1; }
export DISPLAY=:$n

if [ -n "$runner" ]; then
  # HACK: Wine keeps one display-mode list per prefix, taken from the display its first process saw; a
  # prefix shared with runs on other screens would answer with their modes. Use a private one, hard-linked
  # from the given prefix (fast) with the files Wine rewrites copied for real.
  base=${WINEPREFIX:-$HOME/.wine}
  if [ -d "$base" ]; then
    cp -al "$base" "$work/prefix"
    for f in "$work"/prefix/*.reg; do [ -e "$f" ] && cp --remove-destination "$base/$(basename "$f")" "$f"; done
  fi
  export WINEPREFIX=$work/prefix WINEDEBUG=${WINEDEBUG:--all}
fi

run() { if [ -n "$runner" ]; then "$runner" "$@"; else "$@"; fi; }

# Started directly (not through a function) so that the pid is the renderer's own.
start_renderer() {
  if [ -n "$runner" ]; then
    "$runner" "$renderer" >"$work/renderer.log" 2>&1 &
  else
    "$renderer" >"$work/renderer.log" 2>&1 &
  fi
  renderer_pid=$!
}

# Waits up to 20 s for the renderer to end and checks its exit code.
expect_exit() {
  what=$1
  for _ in $(seq 200); do kill -0 "$renderer_pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$renderer_pid" 2>/dev/null; then
    fail "$what: still running"
    kill "$renderer_pid"
  fi
  wait "$renderer_pid"
  rc=$?
  renderer_pid=
  [ "$rc" -eq 0 ] || fail "$what: exit code $rc"
  if run "$probe" find >/dev/null; then fail "$what: window still there"; fi
}

# Waits for the window (a new one when an old id is given) and checks it against "kind:size".
expect_window() {
  want=$1 old=${2:-}
  line=$(run "$probe" wait $old | tr -d '\r')
  [ -n "$line" ] || { fail "no window titled Zorun_VC (wanted $want)"; return; }
  echo "window: $line"
  window_id=${line%% *}
  state=${line#* }
  kind=${state% *} size=${state#* }
  want_kind=${want%%:*} want_size=${want#*:}
  [ "$kind" = "$want_kind" ] || fail "window is $kind, wanted $want_kind"
  [ "$want_size" = "*" ] || [ "$size" = "$want_size" ] || fail "window is $size, wanted $want_size"
}

escape_to_renderer() {
  for _ in 1 2 3 4 5; do
    x=$(xdotool search --name '^Zorun_VC$' 2>/dev/null | head -1)
    [ -n "$x" ] && xdotool windowfocus "$x" 2>/dev/null
    xdotool key Escape
    for _ in $(seq 20); do kill -0 "$renderer_pid" 2>/dev/null || return; sleep 0.1; done
  done
}

echo "== screen $screen: start, toggle twice, Escape"
start_renderer
set -- $expected
expect_window "$1"
run "$toggle" || fail "toggle: not sent"
expect_window "$2" "$window_id"
run "$toggle" || fail "toggle: not sent"
expect_window "$3" "$window_id"
escape_to_renderer
expect_exit "Escape"
if run "$toggle"; then fail "toggle without a renderer reported success"; fi

echo "== screen $screen: close request"
start_renderer
expect_window "$1"
run "$probe" close || fail "close: not sent"
expect_exit "close request"

if [ -z "$runner" ]; then
  echo "== screen $screen: SIGTERM"
  start_renderer
  expect_window "$1"
  kill -TERM "$renderer_pid"
  expect_exit "SIGTERM"
fi

[ "$failures" -eq 0 ] && echo "all passed"
[ "$failures" -eq 0 ]
