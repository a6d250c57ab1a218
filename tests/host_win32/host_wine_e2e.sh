#!/bin/sh
# End-to-end runs of the Windows Zorun.scr under Wine on an Xvfb screen of its own: the saver run with the
# real Zorun.dll, a second start while it runs, a missing renderer, and a preview in a window of a test
# program.
#
# host_wine_e2e.sh WINE HOST RENDERER_PROBE HOST_PROBE TEXDUMP
#   HOST            the built Zorun.scr, with Zorun.dll beside it
#   RENDERER_PROBE  finds the window titled "Zorun_VC" (wait) or posts it WM_CLOSE (close)
#   HOST_PROBE      makes a window to preview in and checks the preview in it
#   TEXDUMP         reads a bitmap as the renderer does
set -u
runner=$1 host=$2 rprobe=$3 hprobe=$4 texdump=$5

# shellcheck source=../support/e2e_env.sh
. "$(dirname "$0")/../support/e2e_env.sh"
start_private_session 1024x768
texture=$WINEPREFIX/drive_c/k_vorn/Zorun.bmp
rm -f "$texture"

renderer_windows() { xdotool search --name '^Zorun_VC$' 2>/dev/null | wc -l; }
alive() { kill -0 "$1" 2>/dev/null; }

# Waits up to $2 seconds for process $1 to end; true when it has ended with exit code 0.
wait_gone() {
  wait_until "$2" gone "$1" || return 1
  wait "$1" || { echo "exit code $?"; return 1; }
}
no_renderer_window() { [ "$(renderer_windows)" -eq 0 ]; }

echo "== saver run: bitmap, renderer, second start, end after the renderer"
"$runner" "$host" /s >"$work/saver.log" 2>&1 &
saver=$!
pids="$pids $saver"
line=$("$runner" "$rprobe" wait | tr -d '\r')
if [ -z "$line" ]; then
  fail "the saver started no window titled Zorun_VC"
else
  echo "renderer window: $line"
  bits=$(od -An -tu2 -j28 -N2 "$texture" 2>/dev/null | tr -d ' ')
  "$runner" "$texdump" 'C:\k_vorn\Zorun.bmp' 'C:\k_vorn\texture.pam' >/dev/null 2>&1
  size=$(head -c 100 "$WINEPREFIX/drive_c/k_vorn/texture.pam" 2>/dev/null | tr -d '\r' | grep -E '^(WIDTH|HEIGHT)' | tr '\n' ' ')
  [ "$bits $size" = "24 WIDTH 271 HEIGHT 167 " ] || fail "texture: '$bits $size', wanted a 24-bit 271 x 167 bitmap our loader reads"

  inode=$(stat -c %i "$texture" 2>/dev/null)
  if timeout 60 "$runner" "$host" /s >"$work/second.log" 2>&1; then :; else fail "second /s did not end by itself"; fi
  [ "$(renderer_windows)" -eq 1 ] || fail "second /s: $(renderer_windows) renderer windows"
  [ "$(stat -c %i "$texture" 2>/dev/null)" = "$inode" ] || fail "second /s wrote the texture again"
  alive "$saver" || fail "the first saver ended"

  "$runner" "$rprobe" close || fail "close request not sent"
  wait_until 20 no_renderer_window || fail "the renderer window stays after a close request"
  # The watch looks every 500 ms; how soon it ends is measured in bench/host, not judged here.
  wait_gone "$saver" 10 || fail "the host did not end after the renderer's end"
fi

echo "== saver run without a renderer"
mkdir "$work/alone"
cp "$host" "$work/alone/"
"$runner" "$work/alone/$(basename "$host")" /s >"$work/alone.log" 2>&1 &
alone=$!
pids="$pids $alone"
wait_gone "$alone" 30 || fail "the host without a renderer still runs after 30 s"
[ "$(renderer_windows)" -eq 0 ] || fail "a renderer window appeared without a renderer"

echo "== a preview, ended by closing its host window"
"$runner" "$hprobe" host 20 20 300 200 >"$work/host.out" 2>&1 &
pids="$pids $!"
wait_until 30 test -s "$work/host.out"
handle=$(head -1 "$work/host.out" | tr -d '\r')
"$runner" "$host" "/p:$handle" >"$work/preview.log" 2>&1 &
preview=$!
pids="$pids $preview"
# HACK: Wine 8 does not draw a child window into a parent of another process (its device context gets
# no X drawable), so only the embedding is checked here; the pixels are checked where host window and
# preview share a process (host_win32_test).
"$runner" "$hprobe" preview "$handle" >"$work/probe.out" 2>&1 || fail "preview: $(tr -d '\r' <"$work/probe.out")"
"$runner" "$hprobe" close "$handle" || fail "closing the preview's host not sent"
wait_gone "$preview" 20 || fail "the preview still runs 20 s after its host window went"

[ "$failures" -eq 0 ] && echo "all passed"
[ "$failures" -eq 0 ]
