#!/bin/sh
# Figures of the settings dialog: the time from starting `Zorun.scr /c` to the dialog's rows painted on
# the screen, and the host's peak memory (VmHWM) with the dialog open. Prints figures; asserts nothing.
#
# dialog_bench.sh HOST PROBE [RUNNER [RUNS]]
#   HOST    Zorun.scr (copied into a folder of its own)
#   PROBE   dialog_probe of the Linux build: "dialog: ok" once the painted rows are on the screen (it
#           reads the X screen, so it serves for the Windows build under Wine too)
#   RUNNER  empty for a native build, the path of wine for the Windows build
#   RUNS    how many starts to time (5)
set -u
host=$1 probe=$2 runner=${3:-} runs=${4:-5}

# shellcheck source=../../tests/support/e2e_env.sh
. "$(dirname "$0")/../../tests/support/e2e_env.sh"
start_private_session 1024x768
mkdir -p "$work/app"
cp "$host" "$work/app/Zorun.scr"
now() { date +%s%N; }

# Wine starts its services with the first program of a prefix: one start that is not timed.
if [ -n "$runner" ]; then "$runner" cmd /c exit >/dev/null 2>&1; fi

for i in $(seq "$runs"); do
  start=$(now)
  ${runner:+"$runner"} "$work/app/Zorun.scr" /c >/dev/null 2>&1 &
  dialog_pid=$! pids="$pids $!"
  painted=
  for _ in $(seq 600); do
    window=$(xdotool search --name '^<Zorun>$' 2>/dev/null | head -n 1)
    if [ -n "$window" ]; then
      xy=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Position: \([0-9-]*\),\([0-9-]*\).*/\1 \2/p')
      # shellcheck disable=SC2086
      if "$probe" $xy 2>/dev/null | grep -q 'dialog: ok'; then painted=$(now); break; fi
    fi
    sleep 0.02
  done
  sleep 1
  peak=$(sed -n 's/^VmHWM:[[:space:]]*//p' "/proc/$dialog_pid/status" 2>/dev/null)
  if [ -n "$painted" ]; then
    echo "run $i: painted after $(((painted - start) / 1000000)) ms (found by polling every 20 ms), peak memory $peak"
  else
    echo "run $i: not painted within the time allowed"
  fi
  kill "$dialog_pid" 2>/dev/null
  [ -n "$runner" ] && { xdotool search --name '^<Zorun>$' windowclose 2>/dev/null; sleep 1; }
  wait "$dialog_pid" 2>/dev/null
  dialog_pid=
done
