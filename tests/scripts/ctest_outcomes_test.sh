#!/bin/sh
# scripts/ctest-outcomes.awk on the log of a real CTest run, side by side and with second runs, as
# scripts/test.sh makes it: a test that failed and then passed must show as retried, never as passed.
#
# ctest_outcomes_test.sh OUTCOMES_AWK CMAKE CTEST
set -u
outcomes=$1 cmake=$2 ctest=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir "$work/project"
cat >"$work/project/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.25)
project(outcomes NONE)
enable_testing()
# Fails at its first run only.
add_test(NAME second_time COMMAND sh -c "[ -e once ] || { touch once; exit 1; }")
add_test(NAME always COMMAND true)
add_test(NAME never COMMAND false)
add_test(NAME hangs COMMAND sleep 30)
set_tests_properties(hangs PROPERTIES TIMEOUT 1)
add_test(NAME skips COMMAND sh -c "exit 77")
set_tests_properties(skips PROPERTIES SKIP_RETURN_CODE 77)
# Its output, shown because it fails, quotes a line of another CTest run.
add_test(NAME quotes_a_log COMMAND sh -c "echo '  | 1/1 Test #3: never ....   Passed    0.01 sec'; exit 1")
CMAKE
"$cmake" -S "$work/project" -B "$work/build" >/dev/null || exit 1
(cd "$work/build" && "$ctest" -j 3 --output-on-failure --repeat until-pass:2) >"$work/ctest.log" 2>&1

awk -f "$outcomes" "$work/ctest.log" | sort >"$work/got"
sort >"$work/wanted" <<'WANTED'
always passed
hangs failed
never failed
quotes_a_log failed
second_time retried
skips skipped
WANTED
if ! cmp -s "$work/wanted" "$work/got"; then
  echo "FAIL: outcomes differ (< wanted, > got)"
  diff "$work/wanted" "$work/got"
  # Quoted, so that the suite's own reading of this test's output sees none of these tests.
  sed 's/^/  | /' "$work/ctest.log"
  exit 1
fi
echo "all passed"
