#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests (with
# AddressSanitizer and UndefinedBehaviorSanitizer), the fuzz targets for a
# bounded time, the installation packages of the 32-bit build (the one the
# host loads), signed with a throwaway certificate and their signatures
# checked, the Windows, end-to-end and package tests under Wine against it,
# one golden scenario of the 64-bit build, and two builds of the commit in
# clean clones compared byte for byte. Ends with one line "N passed, N
# failed" over all of them.
set -euo pipefail

# shellcheck source=SCRIPTDIR/lib/ldg.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/ldg.sh"
repo=$LDG_REPO
cd "$repo"
logs=$repo/build/test-logs
jobs=$(nproc)

if [[ $(id -u) -eq 0 ]]; then
  scripts/setup.sh
else
  echo "test: not root, so not installing packages (run scripts/setup.sh as root once)"
fi
mkdir -p "$logs"

step() { printf '\n== %s\n' "$*"; }

build() {
  step "build $1"
  LDG_JOBS=$jobs ldg_build "build/$1" all
}

passed=0
failed=0
# count LOG COMMAND... : one check that is not a test suite, its output
# kept in LOG; what is wrong and its last line reach the screen.
count() {
  local log=$logs/$1
  shift
  if "$@" >"$log" 2>&1; then
    passed=$((passed + 1))
  else
    grep -vE '^(signed|same) ' "$log" | sed '$d' || true
    failed=$((failed + 1))
  fi
  tail -n 1 "$log"
}
# Runs ctest for a preset and adds its counts to the totals.
run_tests() {
  local preset=$1
  shift
  step "test $preset"
  local rc=0
  # Only failures and the summary reach the screen; the whole log is kept.
  "$@" ctest --preset "$preset" -j "$jobs" --timeout 600 2>&1 | tee "$logs/test-$preset.log" |
    grep -E '\*\*\*|Not Run|tests passed|Total Test time' || true
  rc=${PIPESTATUS[0]}
  # Cases skipped inside a suite (the fault matrix's mounts need root) are
  # shown, not counted as passes silently.
  local binary_dir
  binary_dir=$(sed -n 's/^Test project //p' "$logs/test-$preset.log" | head -n 1)
  if [[ -n $binary_dir && -f $binary_dir/Testing/Temporary/LastTest.log ]]; then
    grep -E '^\[  SKIPPED \] [^0-9]' "$binary_dir/Testing/Temporary/LastTest.log" | sort -u || true
    # A failing suite names its failing cases and why, so a log of this
    # run alone tells what to look at.
    awk '/^\[ RUN      \]/ { n = 0; delete kept } { if (n < 20) kept[n++] = $0 }
         /^\[  FAILED  \] [^0-9].*\([0-9]+ ms\)$/ { for (i = 0; i < n; i++) print kept[i]; n = 0 }' \
      "$binary_dir/Testing/Temporary/LastTest.log" || true
  fi
  local summary
  summary=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$logs/test-$preset.log" | tail -n 1)
  if [[ -z $summary ]]; then
    echo "test: no test summary from $preset (ctest exit $rc)"
    failed=$((failed + 1))
    return
  fi
  local bad total
  bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")
  total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$summary")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
}

start=$(date +%s)
build native
run_tests native
build fuzz
run_tests fuzz
build win32
step "packages"
# Signed as a release is, with a certificate made for this run alone.
certificate=$repo/build/test-signing
rm -rf "$certificate"
ldg_throwaway_certificate "$certificate"
rm -rf build/packages
LDG_SIGN_CERT=$certificate/cert.pem LDG_SIGN_KEY=$certificate/key.pem scripts/package.sh --no-build
count signatures.log scripts/verify_signatures.sh --ca "$certificate/cert.pem" build/packages/*.msi \
  build/packages/*.zip
run_tests win32 scripts/with-wine.sh
build win64
run_tests win64-smoke scripts/with-wine.sh
step "the same bytes from a second build"
count reproduce.log scripts/reproduce.sh

step "summary ($(($(date +%s) - start)) s, logs in build/test-logs)"
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
