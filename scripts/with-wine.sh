#!/usr/bin/env bash
# Runs COMMAND (e.g. `ctest --test-dir build/win64`) with a ready Wine prefix,
# a display and a persistent wineserver, then tears down what it started.
# Exits with COMMAND's exit code. One session per build folder at a time:
# teardown kills every Wine process of the prefix.
set -euo pipefail

if (($# == 0)); then
  printf 'usage: %s COMMAND [ARGS...]\n' "${0##*/}" >&2
  exit 2
fi

# shellcheck source=SCRIPTDIR/wine-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

# shellcheck disable=SC2317  # called from the EXIT trap
cleanup() {
  ldg_stop_wineserver
  ldg_stop_display
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

ldg_start_display
ldg_prepare_prefix
ldg_start_wineserver

rc=0
"$@" || rc=$?
exit "$rc"
