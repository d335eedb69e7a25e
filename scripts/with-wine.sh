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

# shellcheck source=SCRIPTDIR/lib/ldg.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/ldg.sh"
# Progress lines unless the caller asks for quiet.
LDG_QUIET=${LDG_QUIET:-0}
ldg_wine_session

rc=0
"$@" || rc=$?
exit "$rc"
