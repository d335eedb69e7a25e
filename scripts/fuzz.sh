#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzz target (build/fuzz/bin/fuzz_*)
# for SECONDS each (default 60) on its corpus in the repository
# (tests/fuzz/corpus/<name>). New inputs go to the target's work folder in
# the build tree (the one the test suite uses too); findings go to
# build/fuzz/findings/<target>/. With --merge, a small set of the new inputs
# that reach code the repository's corpus does not (new edges; hit counts
# do not count) is added to that corpus.
# One line per target:
#   fuzz_host_state executions=81234 cov=612 ft=2210 findings=0 [merged=2]
# Exits 1 when a target has a finding (a crash, leak, timeout or
# out-of-memory file).
#   scripts/fuzz.sh [--merge] [SECONDS]
set -euo pipefail

# shellcheck source=SCRIPTDIR/lib/ldg.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/ldg.sh"
cd "$LDG_REPO"
merge=0
seconds=60
for arg in "$@"; do
  case $arg in
    --merge) merge=1 ;;
    [0-9]*) seconds=$arg ;;
    *) echo 'usage: scripts/fuzz.sh [--merge] [SECONDS]' >&2; exit 2 ;;
  esac
done

build=$LDG_REPO/build/fuzz
ldg_build "$build" all
status=0
for exe in "$build"/bin/fuzz_*; do
  name=${exe##*/}
  seeds=$LDG_REPO/tests/fuzz/corpus/${name#fuzz_}
  work=$build/tests/fuzz/$name-corpus
  findings=$build/findings/$name
  log=$findings.log
  mkdir -p "$work" "$seeds"
  # The findings of this run only.
  rm -rf "$findings"
  mkdir -p "$findings"
  # The test suite's limits: 10 s for one input, 2 GB.
  rc=0
  "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$work" "$seeds" >"$log" 2>&1 || rc=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  # The last progress line: "#N  DONE  cov: C ft: F corp: ...".
  progress=$(grep -E '^#[0-9]+.* cov: [0-9]+' "$log" | tail -n 1) || true
  cov=$(sed -nE 's/.* cov: ([0-9]+).*/\1/p' <<<"$progress")
  ft=$(sed -nE 's/.* ft: ([0-9]+).*/\1/p' <<<"$progress")
  found=$(find "$findings" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' \
    -o -name 'oom-*' \) | wc -l)
  line="$name executions=${executions:-?} cov=${cov:-?} ft=${ft:-?} findings=$found"
  if ((found > 0 || rc != 0)); then
    status=1
    line+=" (exit $rc, see $log)"
  elif ((merge)); then
    before=$(find "$seeds" -type f | wc -l)
    # Without counters a feature is an edge: hit-count buckets would add
    # hundreds of inputs per minute of fuzzing.
    "$exe" -set_cover_merge=1 -use_counters=0 -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$findings/" "$seeds" "$work" >"$findings.merge.log" 2>&1 ||
      { status=1; line+=" (merge failed, see $findings.merge.log)"; }
    line+=" merged=$(($(find "$seeds" -type f | wc -l) - before))"
  fi
  printf '%s\n' "$line"
done
exit "$status"
