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
  exec "$bin/renderer/Zorun.dll"
fi

# shellcheck source=display.sh
source scripts/display.sh
ZORUN_SCREEN=1024x768x24 zorun_ensure_display
"$bin/renderer/Zorun.dll" &
renderer=$!
sleep "${ZORUN_RUN_SECONDS:-6}"
shot="$root/build/screenshot.png"
"$bin/tools/screenshot_x11" "$shot"
xdotool search --name '^Zorun_VC$' key Escape >/dev/null 2>&1 || kill "$renderer"
wait "$renderer" || true
echo "No display here: ran the screensaver on Xvfb; screenshot saved to $shot"
