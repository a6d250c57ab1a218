#!/usr/bin/env bash
# Installs what is missing, builds the Linux programs and runs the screensaver as the system would
# (Zorun.scr /s): on your display when there is one (Escape ends it), otherwise on a private Xvfb for a
# few seconds, saving a screenshot.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/install-deps.sh
cmake --preset linux >/dev/null
cmake --build --preset linux

host=build/linux/bin/Zorun.scr
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$host" /s
fi

# shellcheck source=display.sh
source scripts/display.sh
ZORUN_SCREEN=1024x768x24 zorun_ensure_display
"$host" /s &
saver=$!
sleep "${ZORUN_RUN_SECONDS:-6}"
shot="$root/build/screenshot.png"
build/linux/tools/screenshot_x11 "$shot"
# Held for a few frames, as a person presses it: a press released before the next frame is not seen.
xdotool keydown Escape sleep 0.4 keyup Escape >/dev/null 2>&1 || true
# The host sees the renderer gone at its next half-second watch and ends.
for _ in $(seq 1 30); do
  kill -0 "$saver" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$saver" 2>/dev/null; then
  echo "the saver did not end after Escape" >&2
  kill "$saver"
  exit 1
fi
echo "No display here: ran the screensaver on Xvfb; screenshot saved to $shot"
