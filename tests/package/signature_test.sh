#!/usr/bin/env bash
# Signing as a release uses it, with a throwaway certificate: packages of the
# 32-bit build signed by scripts/package.sh, whose MSIs and programs (inside
# the MSIs and the ZIPs) verify against that certificate alone; the checks
# refuse a changed byte and another authority; without a certificate the
# packages are unsigned and the script says so.
#   tests/package/signature_test.sh BUILD_DIR
set -euo pipefail

build=$(realpath "$1")
# shellcheck source=SCRIPTDIR/../../scripts/lib/ldg.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/ldg.sh"
cd "$LDG_REPO"
work=$(mktemp -d /tmp/ldg-signature-test-XXXXXX)
ldg_on_exit "rm -rf '$work'"


ldg_throwaway_certificate "$work/ca"
ldg_throwaway_certificate "$work/other"
version=$(python3 scripts/msi_source.py version "$build/bin/LdgSel18ToQb16_G.exe")
LDG_SIGN_CERT=$work/ca/cert.pem LDG_SIGN_KEY=$work/ca/key.pem \
  scripts/package.sh --no-build --build "$build" --out "$work/signed" >"$work/signed.out"
ldg_expect "package.sh says it signs" "package: signing with $work/ca/cert.pem" \
  "$(head -n 1 "$work/signed.out")"
mapfile -t packages < <(cd "$work/signed" && ls -- *.msi *.zip)
ldg_expect "six packages" 6 "${#packages[@]}"
# Named as scripts/test.sh names them, from the folder that holds them.
report=$(cd "$work/signed" && "$LDG_REPO/scripts/verify_signatures.sh" --ca "$work/ca/cert.pem" \
  "${packages[@]}") ||
  ldg_expect "every MSI and program verifies" "" "$(grep -v '^signed' <<<"$report")"
ldg_expect "what is checked" "9 signed, 0 not" "$(tail -n 1 <<<"$report")"

msi=$work/signed/LdgSel18ToQb16_G-$version.msi
program=$work/LdgSel18ToQb16_G.exe
unzip -p "$work/signed/LdgSel18ToQb16_G-$version.zip" LdgSel18ToQb16_G/LdgSel18ToQb16_G.exe >"$program"
ldg_expect "another authority" "the certificate does not lead to cert.pem" \
  "$(ldg_signature_problem "$program" "$work/other/cert.pem")"
# A byte of the code section changed after signing.
cp "$program" "$work/changed.exe"
printf '\x90' | dd of="$work/changed.exe" bs=1 seek=1100 conv=notrunc status=none
ldg_expect "a changed program" "the digest is not the file's" \
  "$(ldg_signature_problem "$work/changed.exe" "$work/ca/cert.pem")"
ldg_expect "the unsigned program of the build" "no signature" \
  "$(ldg_signature_problem "$build/bin/LdgSel18ToQb16_G.exe" "$work/ca/cert.pem")"

env -u LDG_SIGN_CERT -u LDG_SIGN_KEY \
  scripts/package.sh --no-build --build "$build" --out "$work/unsigned" >"$work/unsigned.out"
ldg_expect "package.sh says it does not sign" \
  "package: not signed (LDG_SIGN_CERT and LDG_SIGN_KEY are not set)" \
  "$(head -n 1 "$work/unsigned.out")"
ldg_expect "the unsigned MSI" "no signature" \
  "$(ldg_signature_problem "$work/unsigned/LdgSel18ToQb16_G-$version.msi" "$work/ca/cert.pem")"
cmp -s "$msi" "$work/unsigned/LdgSel18ToQb16_G-$version.msi" && ldg_expect "signing changes the MSI" differs same

echo "signature test: $LDG_FAILURES failed"
((LDG_FAILURES == 0))
