#!/bin/sh
# Runs each fuzz target for a set time, one after another, and sums up:
# executions, executions per second and findings per target.
#
#   run_fuzz.sh BUILD_DIR SECONDS TARGET...
#
# A target starts from its checked-in corpus (tests/fuzz/corpus/<target>,
# only read) and from what earlier runs on this machine added
# (BUILD_DIR/corpus/<target>). A finding is written to
# BUILD_DIR/findings/<target>-<time>/; to keep it fixed, copy it into the
# checked-in corpus under a name that says what it is.
set -u
build=$(cd "$1" && pwd)
seconds=$2
shift 2
source=$(cd "$(dirname "$0")" && pwd)
stamp=$(date +%Y%m%d-%H%M%S)
failed=0
summary=$(printf '%-20s %12s %10s %9s\n' target executions 'execs/s' findings)
for target in "$@"; do
  work="$build/corpus/$target"
  findings="$build/findings/$target-$stamp"
  log="$build/fuzz_$target.log"
  mkdir -p "$work" "$findings"
  dict=""
  [ -f "$source/dict/$target.dict" ] && dict="-dict=$source/dict/$target.dict"
  echo "== fuzz_$target for $seconds s (log: $log)"
  "$build/fuzz_$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$findings/" $dict "$work" "$source/corpus/$target" >"$log" 2>&1
  status=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  found=$(ls "$findings" | wc -l)
  if [ "$found" -eq 0 ]; then
    rmdir "$findings"
  fi
  if [ "$status" -ne 0 ] || [ "$found" -ne 0 ]; then
    failed=1
    grep -E 'fuzz property broken|ERROR|runtime error|unexpected error report' "$log" | head -5
    echo "   findings in $findings"
  fi
  summary="$summary
$(printf '%-20s %12s %10s %9s' "$target" "${executions:-?}" "${rate:-?}" "$found")"
done
echo
echo "$summary"
exit $failed
