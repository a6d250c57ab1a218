#!/bin/sh
# 200 restarts of the renderer through message 1025 (windowed and back), on an Xvfb of its own: the
# renderer's resident memory, its X resources (xrestop) and its texture names, after the first window
# and after the last toggle, and the resident memory every STEP toggles between (a second after the
# new window shows), so a rise that levels off is told from one that goes on.
#
# toggle_soak.sh RENDERER TOGGLE PROBE GL_PRELOAD [RUNNER] [TOGGLES] [STEP]
#   GL_PRELOAD  the gl_names_preload library (native runs); under Wine the names are counted from
#               Wine's OpenGL trace instead
#   RUNNER      empty for the Linux renderer, the path of wine for the Windows one
#   STEP        toggles between two samples of the resident memory (25 unless told; 0 for none)
set -u
renderer=$1 toggle=$2 probe=$3 preload=$4 runner=${5:-} toggles=${6:-200} step=${7:-25}

# shellcheck source=../../tests/support/e2e_env.sh
. "$(dirname "$0")/../../tests/support/e2e_env.sh"
start_private_session 1024x768

run() { ${runner:+"$runner"} "$@"; }

if [ -n "$runner" ]; then
  WINEDEBUG=trace+opengl "$runner" "$renderer" >/dev/null 2>"$work/gl.trace" &
else
  ZORUN_GL_COUNTS=$work/gl.counts LD_PRELOAD=$preload "$renderer" >/dev/null 2>&1 &
fi
renderer_pid=$! pids="$pids $!"

# Texture names: made, deleted, deleted with no context current, still alive when their context went.
gl_names() {
  if [ -n "$runner" ]; then
    awk '/trace:opengl:wglMakeCurrent/ { current = $NF }
         /trace:opengl:glGenTextures/ { made++; live[current]++ }
         /trace:opengl:glDeleteTextures/ { deleted++; if (current ~ /^0+$/) without++; else live[current]-- }
         /trace:opengl:wglDeleteContext/ { gone += live[$NF]; delete live[$NF] }
         END { printf "%d %d %d %d\n", made, deleted, without, gone }' "$work/gl.trace"
  else
    cat "$work/gl.counts" 2>/dev/null
  fi
}

# The renderer's resident memory, its X resources as xrestop counts them (the X client that owns the
# window titled Zorun_VC, known by the resource base of the window's id) and its texture names.
resident() { sed -n 's/^VmRSS:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$renderer_pid/status"; }

figures() {
  rss=$(resident)
  window=$(xdotool search --name '^Zorun_VC$' 2>/dev/null | head -n 1)
  base=$(printf '0x%x' $(( ${window:-0} & ~0x1fffff )))
  xrestop -b -m 1 2>/dev/null | awk -v rss="$rss" -v names="$(gl_names)" -v base="$base" '
    /^[0-9]+ - / { mine = 0 }
    /res_base/ { mine = $NF == base }
    mine && /:/ { split($0, kv, ":"); key = kv[1]; gsub(/^[ \t]+|[ \t]+$/, "", key); value = kv[2]; gsub(/[ ~]/, "", value); x[key] = value }
    END {
      split(names, g, " ")
      printf "rss %s kB | X: windows %s GCs %s pixmaps %s colormaps %s cursors %s other %s, %s bytes | texture names made %s deleted %s (without a context %s) gone with their context %s\n",
        rss, x["windows"], x["GCs"], x["pixmaps"], x["colormaps"], x["cursors"], x["unknowns"], x["total bytes"],
        g[1], g[2], g[3], g[4]
    }'
}

line=$(run "$probe" wait | tr -d '\r')
[ -n "$line" ] || { echo "no renderer window"; exit 1; }
sleep 2
echo "after the first window: $(figures)"
start=$(date +%s)
for i in $(seq "$toggles"); do
  run "$toggle" || { echo "toggle $i: not sent"; exit 1; }
  line=$(run "$probe" wait "${line%% *}" | tr -d '\r')
  [ -n "$line" ] || { echo "toggle $i: no new window"; exit 1; }
  if [ "$step" -gt 0 ] && [ $((i % step)) -eq 0 ]; then
    sleep 1
    echo "toggle $i: rss $(resident) kB"
  fi
done
sleep 2
echo "after $toggles toggles ($(( $(date +%s) - start )) s): $(figures)"
