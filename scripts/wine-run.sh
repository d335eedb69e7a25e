#!/usr/bin/env bash
# CTest emulator for the cross-compiled tests: runs EXE under Wine and exits
# with its exit code. Prints nothing of its own when all goes well, so the
# program's stdout/stderr are exactly what the test sees.
# Run ctest inside with-wine.sh: there Wine's helper processes are already
# up and do not hold a test's output pipe open. Run by hand without DISPLAY,
# this script brings up (and afterwards stops) an Xvfb of its own.
set -euo pipefail

if (($# == 0)); then
  printf 'usage: %s EXE [ARGS...]\n' "${0##*/}" >&2
  exit 2
fi

LDG_QUIET=1
# shellcheck source=SCRIPTDIR/wine-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

if [[ -n ${DISPLAY:-} ]]; then
  ldg_prepare_prefix
  exec "$LDG_WINE" "$@"
fi

trap ldg_stop_display EXIT
ldg_start_display
ldg_prepare_prefix
rc=0
"$LDG_WINE" "$@" || rc=$?
# Let Wine's helper processes (explorer.exe holds the display) end before the
# display does: killed under them, they print X errors into the test output.
# Bounded, as a persistent server from another session never exits.
timeout 5 "$LDG_WINESERVER" -w >/dev/null 2>&1 || true
exit "$rc"
