#!/usr/bin/env bash
# The installation packages as an administrator uses them: packages of the
# 32-bit build at its own version and at a higher one, signed with a
# throwaway certificate, then, under Wine in a
# throwaway prefix with a display of its own, the select edition's package
# installed into a folder that already holds the host's libraries and level
# file, its program run by the host simulator (F12, code 0, the golden
# document), the higher version installed over it (into the remembered
# folder) and uninstalled. What is left must be exactly what the host and
# the user put there.
#   tests/package/install_test.sh BUILD_DIR
set -euo pipefail

build=$(realpath "$1")
# shellcheck source=SCRIPTDIR/../../scripts/lib/ldg.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/ldg.sh"
LDG_PROGRAM_BUILD=$build
cd "$LDG_REPO"
readonly EDITION=LdgSel18ToQb16_G
readonly HIGHER=18.0.1
readonly HOST_LIBRARIES=(LdgLink.dll LdgCmn.dll LdgBCore.dll LdgFileMgr.dll LdgMsgMgr.dll
  LdgEnvMgr.dll)
work=$(mktemp -d /tmp/ldg-package-test-XXXXXX)
ldg_on_exit "rm -rf '$work'"

msi_value() { msiinfo export "$1" Property | tr -d '\r' | sed -n "s/^$2\t//p"; }
msi_files() { msiinfo export "$1" File | tr -d '\r' | tail -n +4 | cut -f3 | sort; }

# --- The packages ---------------------------------------------------------
ldg_throwaway_certificate "$work/ca"
export LDG_SIGN_CERT=$work/ca/cert.pem LDG_SIGN_KEY=$work/ca/key.pem
scripts/package.sh --no-build --build "$build" --out "$work/v1" >/dev/null
scripts/package.sh --no-build --build "$build" --out "$work/v2" --version "$HIGHER" >/dev/null
version=$(python3 scripts/msi_source.py version "$build/bin/$EDITION.exe")
upgrade_codes=()
for prefix in LdgSel18ToQb16_G LdgAdv18ToQb16_G LdgBas18ToQb16_G; do
  msi=$work/v1/$prefix-$version.msi
  files=$(printf '%s\n' "$prefix.exe" "${prefix}_DefKmk.dat" "${prefix}_GaiKmk.dat" | sort)
  ldg_expect "$prefix: the files of the MSI" "$files" "$(msi_files "$msi")"
  ldg_expect "$prefix: the MSI's version is the program's" "$version" "$(msi_value "$msi" ProductVersion)"
  ldg_expect "$prefix: the files of the ZIP" "$(printf '%s\n' "$files" readme_ja.txt | sort)" \
    "$(unzip -Z1 "$work/v1/$prefix-$version.zip" | sed "s|^$prefix/||" | sort)"
  upgrade_codes+=("$(msi_value "$msi" UpgradeCode)")
done
ldg_expect "one upgrade code per edition" 3 "$(printf '%s\n' "${upgrade_codes[@]}" | sort -u | wc -l)"
old=$work/v1/$EDITION-$version.msi
new=$work/v2/$EDITION-$HIGHER.msi
for msi in "$old" "$new"; do
  ldg_expect "$(basename "$msi") is signed" "" "$(ldg_signature_problem "$msi" "$LDG_SIGN_CERT")"
done
ldg_expect "the higher version keeps the upgrade code" "$(msi_value "$old" UpgradeCode)" \
  "$(msi_value "$new" UpgradeCode)"
old_code=$(msi_value "$old" ProductCode)
new_code=$(msi_value "$new" ProductCode)

# --- Wine: a prefix and a display of this test's own ----------------------
LDG_QUIET=1
unset DISPLAY
ldg_wine_session "$work/prefix"

# The host's folder: its libraries and level file, where the program goes.
host=$work/host
mkdir -p "$host"
for library in "${HOST_LIBRARIES[@]}"; do cp "$build/bin/$library" "$host/"; done
cp editions/KodamaDef.ini "$host/"
win_host=$(ldg_windows_path "$host")
msiexec() { "$LDG_WINE" msiexec "$@" </dev/null >/dev/null 2>&1; }
# registry KEY NAME : a text value of the 32-bit registry (empty when none).
registry() {
  "$LDG_WINE" reg query "$1" /v "$2" /reg:32 2>/dev/null | tr -d '\r' | iconv -f CP932 -t UTF-8 |
    sed -n "s/^ *$2 *REG_SZ *//p"
}
# The installed product's uninstall entry, value NAME (empty when none).
product() { registry "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$1" "$2"; }
remembered() { registry "HKLM\\Software\\LdgOverview\\$EDITION" InstallDir; }
listing() { (cd "$host" && find . -type f | sed 's|^\./||' | sort); }

msiexec /i "$(ldg_windows_path "$old")" /qn "INSTALLDIR=$win_host\\" || ldg_expect "install" 0 $?
ldg_expect "the installed program is 32-bit" "PE32 executable (GUI) Intel 80386, for MS Windows" \
  "$(file -b "$host/$EDITION.exe" | sed 's/, [0-9]* sections$//')"
unzip -p "$work/v1/$EDITION-$version.zip" "$EDITION/$EDITION.exe" >"$work/packaged.exe"
cmp -s "$work/packaged.exe" "$host/$EDITION.exe" || ldg_expect "the installed program" same differs
ldg_expect "the installed program's signature" "" "$(ldg_signature_problem "$host/$EDITION.exe" "$LDG_SIGN_CERT")"
ldg_expect "the product's name" "$(msi_value "$old" ProductName)" "$(product "$old_code" DisplayName)"
ldg_expect "the product's version" "$version" "$(product "$old_code" DisplayVersion)"
ldg_expect "the product's folder" "$win_host\\" "$(product "$old_code" InstallLocation)"
ldg_expect "the folder remembered" "$win_host\\" "$(remembered)"

# The host starts the installed program; conditions, report and detail go
# into the program's own folder, which the uninstallation must leave alone.
python3 scripts/ldg_data.py state samples/sample-company.json "$work/state.json" --dataset 12 \
  --folder "$win_host"
ldg_play_user "$win_host\\$EDITION.exe" "--state \"$(ldg_windows_path "$work/state.json")\" \
--function-id 2 --output \"$win_host\\overview.xml\"" >"$work/run.out" 2>&1 || true
ldg_expect "the run of the installed program" "exit=0" "$(grep '^exit=\|^error=' "$work/run.out")"
cmp -s "$host/overview.xml" "tests/e2e/golden/${EDITION}_12.xml" ||
  ldg_expect "the report equals tests/e2e/golden/${EDITION}_12.xml" same differs
user_files=$(printf '%s\n' KodamaDef.ini conditions/QB16_G_admin_1_12.env overview.xml \
  overview_集計明細.html "${HOST_LIBRARIES[@]}" | sort)

# Without INSTALLDIR: the package finds the folder of the installed one.
msiexec /i "$(ldg_windows_path "$new")" /qn || ldg_expect "upgrade" 0 $?
ldg_expect "after the upgrade: the older product is gone" "" "$(product "$old_code" DisplayVersion)"
ldg_expect "after the upgrade: the newer product" "$HIGHER" "$(product "$new_code" DisplayVersion)"
ldg_expect "after the upgrade: in the same folder" "$win_host\\" "$(product "$new_code" InstallLocation)"
ldg_expect "after the upgrade: the folder" \
  "$(printf '%s\n' "$user_files" "$EDITION.exe" "${EDITION}_DefKmk.dat" "${EDITION}_GaiKmk.dat" | sort)" \
  "$(listing)"

msiexec /x "$(ldg_windows_path "$new")" /qn || ldg_expect "uninstall" 0 $?
ldg_expect "after the uninstallation: no product" "" "$(product "$new_code" DisplayVersion)"
ldg_expect "after the uninstallation: no folder remembered" "" "$(remembered)"
ldg_expect "after the uninstallation: what the host and the user put there" "$user_files" "$(listing)"

echo "package test: $LDG_FAILURES failed"
((LDG_FAILURES == 0))
