# Reads the log of one CTest run and prints one line per test: its name and how it ended, one of
#   passed    passed at its first run
#   retried   failed (or timed out, or crashed), then passed when run again (--repeat until-pass)
#   failed    its last run did not pass
#   skipped   not run (its skip return code, or a required file missing)
# Usage: awk -f ctest-outcomes.awk build/ctest-linux.log
#
# CTest prints a line per run of a test, e.g.
#    3/12 Test  #7: dialog_e2e .......................***Failed   41.20 sec
#         Test  #7: dialog_e2e .......................   Passed   38.02 sec
# (a test run again has no count in front). Only such lines count, not a test's output quoted in the log.
match($0, /^ *([0-9]+\/[0-9]+ +)?Test +#[0-9]+: [^ ]+ /) {
  sub(/.*Test +#[0-9]+: /, "")
  name = $1
  if (!(name in order)) {
    order[name] = ++count
    names[count] = name
  }
  if ($0 ~ /\*\*\*(Skipped|Not Run.*Disabled)/) {
    last[name] = "skipped"
  } else if ($0 ~ / Passed +[0-9.]+ sec/) {
    last[name] = "passed"
  } else {
    last[name] = "failed"
    failedOnce[name] = 1
  }
}
END {
  for (i = 1; i <= count; ++i) {
    name = names[i]
    outcome = last[name]
    if (outcome == "passed" && (name in failedOnce)) outcome = "retried"
    print name, outcome
  }
}
