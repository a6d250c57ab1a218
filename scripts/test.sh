#!/usr/bin/env bash
# Installs what is missing, builds both targets plus the sanitizer and fuzzing builds, and runs every
# test: Linux natively (GUI and GL tests on Xvfb), Windows under Wine, unit tests again under ASan and
# UBSan, and a bounded libFuzzer run of each fuzz target.
#
# scripts/test.sh               all of it
# scripts/test.sh --tests-only  the CTest runs alone, on the builds there are (bench/flake runs it so)
#
# After the builds, every run goes side by side: the end-to-end tests of real windows and the other tests,
# on Linux and under Wine, the ASan run, and the fuzzers two at a time. The Windows tests have an Xvfb of
# their own beside the Linux tests' one. Each step's output goes to build/steps/ and is shown once all
# have ended; build/test-results.txt lists every test with how it ended.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 1

tests_only=
[ "${1:-}" = --tests-only ] && tests_only=1

[ -n "$tests_only" ] || scripts/install-deps.sh || exit 1
# shellcheck source=display.sh
source scripts/display.sh
zorun_ensure_display || exit 1
mkdir -p build
zorun_ensure_wine_prefix "$root/build"
# The Windows tests get a screen of their own: host_win32_test reads back what it drew, and the Linux
# tests beside them map windows of theirs on DISPLAY. A Wine server still running in the prefix would
# answer for the display it started on, so it is let end first.
zorun_start_xvfb || exit 1
wine_display=$ZORUN_STARTED_DISPLAY
wineserver -w

results=build/test-results.txt
: >"$results"
rm -rf build/steps
mkdir -p build/steps
failed_steps=()

step() {
  local name=$1
  shift
  echo "== $name"
  if ! "$@"; then
    failed_steps+=("$name")
    return 1
  fi
}

# in_background NAME COMMAND...: starts a step beside the others; wait_for_steps shows its output.
step_pids=() step_names=() step_logs=()
in_background() {
  local name=$1
  shift
  local log
  log="build/steps/$(printf '%02d' $((${#step_logs[@]} + 1)))-${name//[^A-Za-z0-9]/_}.log"
  "$@" >"$log" 2>&1 &
  step_pids+=($!) step_names+=("$name") step_logs+=("$log")
  echo "== $name (started)"
}

# wait_for_steps: waits for the steps started and shows each one's output in the order they were started.
wait_for_steps() {
  local i
  for i in "${!step_pids[@]}"; do
    wait "${step_pids[$i]}"
    local code=$?
    echo
    echo "== ${step_names[$i]}"
    cat "${step_logs[$i]}"
    [ "$code" -eq 0 ] || failed_steps+=("${step_names[$i]}")
  done
  step_pids=() step_names=() step_logs=()
}

build() {
  cmake --preset "$1" >"build/configure-$1.log" 2>&1 || { cat "build/configure-$1.log"; return 1; }
  cmake --build --preset "$1"
}

# run_ctest PRESET NAME [CTEST ARGUMENT...]: one CTest run, logged in build/ctest-PRESET-NAME.log; its tests
# and how each ended go into the results as PRESET/TEST OUTCOME.
run_ctest() {
  local preset=$1 name=$2
  shift 2
  local log="build/ctest-$preset-$name.log"
  ctest --preset "$preset" "$@" >"$log" 2>&1
  local code=$?
  cat "$log"
  local outcomes
  outcomes=$(awk -f scripts/ctest-outcomes.awk "$log" | sed "s|^|$preset/|")
  # A run that failed without a test's line (no test found, CTest's own error) is counted as one failure.
  if [ -z "$outcomes" ] && [ "$code" -ne 0 ]; then outcomes="$preset/$name-run failed"; fi
  [ -z "$outcomes" ] || echo "$outcomes" >>"$results"
  return "$code"
}

# run_ctest_on DISPLAY PRESET NAME [CTEST ARGUMENT...]: run_ctest on that X display (a step of its own runs
# in a subshell of its own, so DISPLAY changes for the step alone).
run_ctest_on() {
  export DISPLAY=$1
  shift
  run_ctest "$@"
}

# fuzz NAME [FLAG or SEED FOLDER...]: a bounded libFuzzer run of one target (ZORUN_FUZZ_SECONDS, 20 by
# default) on the corpus earlier runs left; what it finds goes to build/fuzz/artifacts.
fuzz() {
  local name=$1
  shift
  # Absolute paths: the MCI fuzzer works in a folder of its own.
  local corpus=$root/build/fuzz/corpus-$name
  mkdir -p "$corpus" build/fuzz/artifacts
  echo "-- fuzz $name"
  "build/fuzz/fuzz/${name}_fuzzer" -max_total_time="${ZORUN_FUZZ_SECONDS:-20}" -print_final_stats=1 \
    -artifact_prefix="$root/build/fuzz/artifacts/$name-" "$corpus" "$@" 2>&1 | tail -n 12
  local code=${PIPESTATUS[0]}
  if [ "$code" -eq 0 ]; then echo "fuzz/$name passed" >>"$results"; else echo "fuzz/$name failed" >>"$results"; fi
  return "$code"
}

# The loader must refuse a hostile header before it allocates what the header claims. The seeds come
# from the Linux build's tool (the fuzz build makes only the fuzzers).
fuzz_bitmap() {
  mkdir -p build/fuzz/seeds-bitmap
  build/linux/tools/make_bitmap_seeds build/fuzz/seeds-bitmap || return 1
  fuzz bitmap build/fuzz/seeds-bitmap -malloc_limit_mb=64
}

# Two fuzzers at a time, each on a core, beside the test runs.
fuzz_first_pair() {
  local code=0
  fuzz_bitmap || code=1
  fuzz mci -dict="$root/fuzz/mci.dict" || code=1
  return "$code"
}
fuzz_second_pair() {
  local code=0
  fuzz profile fuzz/seeds/profile || code=1
  fuzz command_line fuzz/seeds/command_line || code=1
  return "$code"
}

if [ -z "$tests_only" ]; then
  step "build linux" build linux
  step "build windows" build windows
  step "build asan" build asan
  step "build fuzz" build fuzz
fi

# Everything at once. Only the end-to-end tests of real windows (label window) may be run a second time:
# a window manager's or Wine's moment of delay on a loaded machine. Every other test must pass the first
# time.
if [ -z "$tests_only" ]; then
  in_background "fuzz the bitmap loader and the Linux MCI" fuzz_first_pair
  in_background "fuzz the settings file engine and the host command line" fuzz_second_pair
fi
in_background "window tests linux" run_ctest linux window -L window --repeat until-pass:2
in_background "window tests windows (Wine)" run_ctest_on "$wine_display" windows window -L window --repeat until-pass:2
in_background "tests linux" run_ctest linux tests -LE window
in_background "tests windows (Wine)" run_ctest_on "$wine_display" windows tests -LE window
in_background "unit tests under ASan and UBSan" run_ctest asan unit
wait_for_steps

# The package test installs the .deb as root and removes it again; a run killed midway (a timeout) must
# not leave it installed.
step "no test package left installed" sh tests/package/deb_package.sh --remove-leftover

count() { awk -v outcome="$1" '$2 == outcome { n++ } END { print n + 0 }' "$results"; }
retried=$(count retried)
skipped=$(count skipped)
echo
if [ ${#failed_steps[@]} -ne 0 ]; then
  printf 'failed step: %s\n' "${failed_steps[@]}"
fi
grep -E ' (failed|retried)$' "$results" | sed 's/^/  /'
summary="total: $(($(count passed) + retried)) passed, $(count failed) failed, $retried passed on a second run"
[ "$skipped" -eq 0 ] || summary="$summary, $skipped skipped"
echo "$summary"
[ ${#failed_steps[@]} -eq 0 ]
