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
renderer_pid=

# shellcheck source=../support/e2e_env.sh
. "$(dirname "$0")/../support/e2e_env.sh"
start_private_session "$screen"

run() { ${runner:+"$runner"} "$@"; }

# Started directly (not through a function) so that the pid is the renderer's own.
start_renderer() {
  ${runner:+"$runner"} "$renderer" >"$work/renderer.log" 2>&1 &
  renderer_pid=$! pids="$pids $!"
}

# Waits up to 20 s for the renderer to end with exit code 0 and its window gone.
expect_exit() {
  wait_until 20 gone "$renderer_pid" || { fail "$1: still running"; kill "$renderer_pid"; }
  wait "$renderer_pid"
  rc=$? renderer_pid=
  [ "$rc" -eq 0 ] || fail "$1: exit code $rc"
  if run "$probe" find >/dev/null; then fail "$1: window still there"; fi
}

# Waits for the window titled Zorun_VC (a new one when an old id is given) and checks it against "kind:size".
expect_window() {
  line=$(run "$probe" wait ${2:-} | tr -d '\r')
  [ -n "$line" ] || { fail "no window titled Zorun_VC (wanted $1)"; return; }
  echo "window: $line"
  window_id=${line%% *} state=${line#* }
  kind=${state% *} size=${state#* } want_kind=${1%%:*} want_size=${1#*:}
  [ "$kind" = "$want_kind" ] || fail "window is $kind, wanted $want_kind"
  [ "$want_size" = "*" ] || [ "$size" = "$want_size" ] || fail "window is $size, wanted $want_size"
}

echo "== screen $screen: start, toggle twice, Escape"
set -- $expected
start_renderer
expect_window "$1"
if [ -n "$runner" ] && [ "${1%%:*}" = windowed ]; then
  # Refused full screen: the window's frame takes room from the client area, and the view must fit
  # what is left, or one bar is cut.
  bars=$(run "$probe" bars | tr -d '\r')
  echo "bars (top bottom): $bars"
  top=${bars% *} bottom=${bars#* }
  [ "$top" -gt 0 ] && [ $((top - bottom)) -le 1 ] && [ $((bottom - top)) -le 1 ] || fail "bars of unequal height: $bars"
fi
run "$toggle" || fail "toggle: not sent"
expect_window "$2" "$window_id"
run "$toggle" || fail "toggle: not sent"
expect_window "$3" "$window_id"
escape_to_renderer "$renderer_pid"
expect_exit "Escape"
if run "$toggle"; then fail "toggle without a renderer reported success"; fi

endings=close
[ -z "$runner" ] && endings="close SIGTERM"  # signals are an X11 way out only
for ending in $endings; do
  echo "== screen $screen: $ending"
  start_renderer
  expect_window "$1"
  if [ "$ending" = close ]; then run "$probe" close || fail "close: not sent"; else kill -TERM "$renderer_pid"; fi
  expect_exit "$ending"
done

if [ -z "$runner" ]; then
  echo "== screen $screen: in xscreensaver's window, its host gone before it started"
  # A stand-in host that ends between the fork and the exec of its renderer, so that the renderer asks
  # for a signal at its parent's death too late, every time: it must not draw on in a window nobody
  # will end it in.
  # shellcheck disable=SC2016  # expanded by the stand-in host
  orphan=$(env -u XSCREENSAVER_WINDOW sh -c 'host=$$
    (while kill -0 "$host" 2>/dev/null; do sleep 0.01; done; ZORUN_HOST_PID=$host exec "$1" --root) >/dev/null 2>&1 &
    echo $!' sh "$renderer")
  # (Once orphaned it is nobody's child: ended, it stays a zombie that nobody reaps.)
  wait_until 10 gone "$orphan" || { fail "the renderer outlived the host that started it"; kill "$orphan"; }
fi

[ "$failures" -eq 0 ] && echo "all passed"
[ "$failures" -eq 0 ]
