#!/usr/bin/env bash
# Audits the aggregation details with axe-core in Debian's chromium (driven
# by playwright-core; scripts/setup.sh installs both, with the npm packages
# of tests/audit/package-lock.json): WCAG 2 A and AA and axe's best
# practices. By default every detail the end-to-end tests wrote in
# DIR/e2e-output. Prints one line per kind of violation with its node count,
# then `audit: N pages, N kinds of violation, N nodes`; exits 1 on any
# violation.
#   scripts/audit_detail.sh [--build DIR] [DETAIL.html...]
set -euo pipefail

# shellcheck source=SCRIPTDIR/lib/ldg.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/ldg.sh"
if [[ ${1:-} == --build ]]; then
  LDG_PROGRAM_BUILD=$(realpath -m "$2")
  shift 2
fi
audit=$LDG_REPO/tests/audit
if (($# > 0)); then
  details=("$@")
else
  shopt -s nullglob
  details=("$LDG_PROGRAM_BUILD"/e2e-output/*_集計明細.html)
fi
((${#details[@]})) || {
  echo "audit: no detail in $LDG_PROGRAM_BUILD/e2e-output (run the end-to-end tests first)" >&2
  exit 2
}
for need in node /usr/bin/chromium "$audit/node_modules/axe-core" "$audit/node_modules/playwright-core"; do
  [[ -e $need || -n $(command -v "$need" 2>/dev/null) ]] || {
    echo "audit: $need is missing (scripts/setup.sh, as root)" >&2
    exit 2
  }
done
node "$audit/audit_detail.mjs" "${details[@]}"
