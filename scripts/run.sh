#!/usr/bin/env bash
# Installs what is missing, builds the Linux programs and runs the screensaver: on your display when
# there is one (Escape ends it), otherwise on a private Xvfb for a few seconds, saving a screenshot.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/install-deps.sh
cmake --preset linux >/dev/null
cmake --build --preset linux

bin=build/linux
# Until the host program writes the cloud picture itself, put it at the texture path here.
"$bin/tools/place_texture" assets/cloud.jpg >/dev/null

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$bin/bin/Zorun.dll"
fi

# shellcheck source=display.sh
source scripts/display.sh
ZORUN_SCREEN=1024x768x24 zorun_ensure_display
"$bin/bin/Zorun.dll" &
renderer=$!
sleep "${ZORUN_RUN_SECONDS:-6}"
shot="$root/build/screenshot.png"
"$bin/tools/screenshot_x11" "$shot"
# Held for a few frames, as a person presses it: a press released before the next frame is not seen.
xdotool keydown Escape sleep 0.4 keyup Escape >/dev/null 2>&1 || true
for _ in $(seq 1 30); do
  kill -0 "$renderer" 2>/dev/null || break
  sleep 0.1
done
kill "$renderer" 2>/dev/null || true
wait "$renderer" || true
echo "No display here: ran the screensaver on Xvfb; screenshot saved to $shot"
