#!/usr/bin/env bash
# The suite's flake rate on a loaded machine: runs the tests of scripts/test.sh (its CTest runs, on the
# builds there are: run scripts/test.sh once first) N times, each with two busy processes beside it, and
# prints per test how often it failed and how often it passed only when run a second time.
#
# bench/flake/suite_flake.sh [N]   N runs, 5 unless told; each run's log and results go to build/flake/
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
runs=${1:-5}
out=$root/build/flake
rm -rf "$out"
mkdir -p "$out"

burners=
stop_burners() {
  for pid in $burners; do kill "$pid" 2>/dev/null; done
  burners=
}
trap stop_burners EXIT

for run in $(seq "$runs"); do
  # Two processes that want a core each: on a 2-core machine the suite gets what is left.
  for _ in 1 2; do
    yes >/dev/null &
    burners="$burners $!"
  done
  start=$(date +%s)
  "$root/scripts/test.sh" --tests-only >"$out/run-$run.log" 2>&1
  code=$?
  seconds=$(($(date +%s) - start))
  stop_burners
  cp "$root/build/test-results.txt" "$out/results-$run.txt"
  echo "run $run: exit code $code, $seconds s, $(tail -n 1 "$out/run-$run.log")"
done

echo
echo "per test, over $runs runs (failed: its last run failed; second run: failed once, then passed):"
cat "$out"/results-*.txt | awk -v runs="$runs" '
  { seen[$1]++; if ($2 == "failed") failed[$1]++; if ($2 == "retried") retried[$1]++; if ($2 == "skipped") skipped[$1]++ }
  END {
    for (test in seen) {
      note = seen[test] < runs ? sprintf("  (in %d runs only)", seen[test]) : ""
      if (skipped[test]) note = note sprintf("  (skipped %d times)", skipped[test])
      printf "%-50s failed %d  second run %d%s\n", test, failed[test], retried[test], note
      allFailed += failed[test]; allRetried += retried[test]
    }
    printf "in all: %d failed, %d passed on a second run\n", allFailed, allRetried > "/dev/stderr"
  }' 2>"$out/total.txt" | sort -k3,3nr -k6,6nr -k1,1
cat "$out/total.txt"
