#!/usr/bin/env bash
# Installs what is missing, builds both targets plus the sanitizer and fuzzing builds, and runs every
# test: Linux natively (GUI and GL tests on Xvfb), Windows under Wine, unit tests again under ASan and
# UBSan, and a bounded libFuzzer run of each fuzz target.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/install-deps.sh || exit 1
# shellcheck source=display.sh
source scripts/display.sh
zorun_ensure_display || exit 1
mkdir -p build
zorun_ensure_wine_prefix "$root/build"

failed_steps=()
passed=0
ctest_runs=0
failed=0

step() {
  local name=$1
  shift
  echo "== $name"
  if ! "$@"; then
    failed_steps+=("$name")
    return 1
  fi
}

build() {
  cmake --preset "$1" >"build/configure-$1.log" 2>&1 || { cat "build/configure-$1.log"; return 1; }
  cmake --build --preset "$1"
}

# Runs a CTest preset and adds its counts to the totals.
run_ctest() {
  local preset=$1
  shift
  ctest_runs=$((ctest_runs + 1))
  local log="build/ctest-$ctest_runs-$preset.log"
  ctest --preset "$preset" "$@" 2>&1 | tee "$log"
  local code=${PIPESTATUS[0]}
  local line
  line=$(grep -E '[0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  if [ -n "$line" ]; then
    local bad total
    bad=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
    total=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$line")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
  elif [ "$code" -ne 0 ]; then
    failed=$((failed + 1))
  fi
  return "$code"
}

# fuzz NAME [FLAG or SEED FOLDER...]: a bounded libFuzzer run of one target (ZORUN_FUZZ_SECONDS, 20 by
# default) on the corpus earlier runs left; what it finds goes to build/fuzz/artifacts.
fuzz() {
  local name=$1
  shift
  # Absolute paths: the MCI fuzzer works in a folder of its own.
  local corpus=$root/build/fuzz/corpus-$name
  mkdir -p "$corpus" build/fuzz/artifacts
  build/fuzz/fuzz/${name}_fuzzer -max_total_time="${ZORUN_FUZZ_SECONDS:-20}" -print_final_stats=1 \
    -artifact_prefix="$root/build/fuzz/artifacts/$name-" "$corpus" "$@" 2>&1 | tail -n 12
  local code=${PIPESTATUS[0]}
  if [ "$code" -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
  return "$code"
}

# The loader must refuse a hostile header before it allocates what the header claims.
fuzz_bitmap() {
  mkdir -p build/fuzz/seeds-bitmap
  build/fuzz/tools/make_bitmap_seeds build/fuzz/seeds-bitmap || return 1
  fuzz bitmap build/fuzz/seeds-bitmap -malloc_limit_mb=64
}

step "build linux" build linux
step "build windows" build windows
step "build asan" build asan
step "build fuzz" build fuzz
step "fuzz the bitmap loader" fuzz_bitmap
step "fuzz the settings file engine" fuzz profile fuzz/seeds/profile
step "fuzz the Linux MCI" fuzz mci -dict="$root/fuzz/mci.dict"
step "fuzz the host command line" fuzz command_line fuzz/seeds/command_line
# End-to-end runs drive real windows on Xvfb (and Wine): one that fails is run once more, and the log
# shows both runs. Every other test must pass the first time.
step "tests linux" run_ctest linux -LE e2e
step "end-to-end tests linux" run_ctest linux -L e2e --repeat until-pass:2
step "tests windows (Wine)" run_ctest windows -LE e2e
step "end-to-end tests windows (Wine)" run_ctest windows -L e2e --repeat until-pass:2
step "unit tests under ASan and UBSan" run_ctest asan -L unit
# The package test installs the .deb as root and removes it again; a run killed midway (a timeout) must
# not leave it installed.
step "no test package left installed" sh tests/package/deb_package.sh --remove-leftover

echo
if [ ${#failed_steps[@]} -ne 0 ]; then
  printf 'failed step: %s\n' "${failed_steps[@]}"
fi
echo "total: $passed passed, $failed failed"
[ ${#failed_steps[@]} -eq 0 ]
