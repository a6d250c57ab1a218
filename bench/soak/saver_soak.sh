#!/bin/sh
# A long saver run: the real host and renderer on an Xvfb of their own for MINUTES minutes, with the
# resident memory of both sampled once a minute. Prints one line per minute and the growth at the end.
#
# saver_soak.sh HOST RENDERER [MINUTES]   (30 minutes by default)
set -u
host=$1 renderer=$2 minutes=${3:-30}
work=$(mktemp -d)
xvfb_pid= host_pid=

cleanup() {
  [ -n "$host_pid" ] && kill "$host_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

. "$(dirname "$0")/../../tests/support/e2e_env.sh"
start_private_xvfb 1024x768

mkdir -p "$work/app" "$work/home"
cp "$host" "$work/app/Zorun.scr"
cp "$renderer" "$work/app/Zorun.dll"
# The host's first watch tick comes 500 ms after its start: on a loaded machine a renderer slower than
# that to show its window ends the run at once, and the run is started again.
for attempt in 1 2 3 4 5; do
  HOME=$work/home XDG_CACHE_HOME=$work/home/.cache "$work/app/Zorun.scr" /s >"$work/host.log" 2>&1 &
  host_pid=$!
  sleep 5
  kill -0 "$host_pid" 2>/dev/null && break
  echo "the host ended before its renderer showed (attempt $attempt)"
  stray_pid=$(ps -eo pid=,args= | awk -v program="$work/app/Zorun.dll" '$2 == program { print $1 }')
  [ -n "$stray_pid" ] && kill "$stray_pid"
  sleep 1
done
renderer_pid=$(ps -o pid= --ppid "$host_pid" | tr -d ' ' | head -n 1)

rss() { sed -n 's/^VmRSS:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$1/status" 2>/dev/null; }

echo "minute host_rss_kB renderer_rss_kB"
first_host= first_renderer=
for minute in $(seq 0 "$minutes"); do
  [ "$minute" -gt 0 ] && sleep 60
  h=$(rss "$host_pid") r=$(rss "${renderer_pid:-0}")
  [ -n "$h" ] || { echo "the host ended after $minute minutes"; exit 1; }
  echo "$minute $h ${r:--}"
  [ -n "$first_host" ] || first_host=$h first_renderer=${r:-0}
done
echo "host growth: $((h - first_host)) kB over $minutes minutes; renderer growth: $((${r:-0} - first_renderer)) kB"
