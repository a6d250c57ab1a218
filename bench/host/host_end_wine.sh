#!/bin/sh
# The Windows host's end after its renderer's, under Wine on an Xvfb of its own: the real renderer is
# asked to close, and the milliseconds from its window's going to the host's exit are printed, one run a
# line, then the median.
#
# host_end_wine.sh HOST RENDERER_PROBE [RUNS]
#   HOST            the built Zorun.scr, with Zorun.dll beside it
#   RENDERER_PROBE  renderer_window_probe.exe: waits for the renderer's window (wait) or closes it (close)
set -u
runner=wine host=$1 probe=$2 runs=${3:-9}
. "$(dirname "$0")/../../tests/support/e2e_env.sh"
start_private_session 1024x768
now_ms() { date +%s%3N; }
for _ in $(seq "$runs"); do
  "$runner" "$host" /s >/dev/null 2>&1 &
  saver=$!
  "$runner" "$probe" wait >/dev/null
  "$runner" "$probe" close
  while xdotool search --name '^Zorun_VC$' >/dev/null 2>&1; do sleep 0.005; done
  gone=$(now_ms)
  while kill -0 "$saver" 2>/dev/null; do sleep 0.005; done
  echo $(($(now_ms) - gone))
done | tee "$work/times"
echo "median: $(sort -n "$work/times" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }') ms"
