#!/usr/bin/env bash
# Checks the signatures of installation packages: each MSI itself, and the
# program inside each MSI and each ZIP, against a certificate authority.
# Prints one line per file, then `N signed, N not`; exits 1 when any is not.
#   scripts/verify_signatures.sh --ca CERT PACKAGE...
set -euo pipefail

# shellcheck source=SCRIPTDIR/lib/ldg.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/ldg.sh"
if [[ ${1:-} != --ca || $# -lt 3 ]]; then
  echo 'usage: scripts/verify_signatures.sh --ca CERT PACKAGE...' >&2
  exit 2
fi
ca=$2
shift 2
work=$(mktemp -d /tmp/ldg-verify-XXXXXX)
ldg_on_exit "rm -rf '$work'"

signed=0
unsigned=0
# check FILE NAME : one line for FILE, shown as NAME.
check() {
  local problem
  problem=$(ldg_signature_problem "$1" "$ca")
  if [[ -z $problem ]]; then
    echo "signed: $2"
    signed=$((signed + 1))
  else
    echo "NOT SIGNED: $2 ($problem)"
    unsigned=$((unsigned + 1))
  fi
}

for package in "$@"; do
  package=$(realpath "$package")
  name=$(basename "$package")
  inside=$work/$name
  mkdir -p "$inside"
  case $package in
    *.msi)
      check "$package" "$name"
      (cd "$inside" && msiextract "$package" >/dev/null)
      ;;
    *.zip) unzip -q -d "$inside" "$package" ;;
    *) echo "verify: $package is neither an MSI nor a ZIP" >&2; exit 2 ;;
  esac
  mapfile -t programs < <(cd "$inside" && find . -iname '*.exe' | sed 's|^\./||' | sort)
  ((${#programs[@]})) || { echo "NOT SIGNED: $name (no program inside)"; unsigned=$((unsigned + 1)); }
  for program in "${programs[@]}"; do check "$inside/$program" "$name: $(basename "$program")"; done
done
echo "$signed signed, $unsigned not"
((unsigned == 0))
