# shellcheck shell=bash
# What the scripts share: source this file, do not execute it.
#
#   LDG_PROGRAM_BUILD  the Windows build folder whose programs the scripts
#                      run (default: build/win32, the build the host loads);
#                      the scripts' --build option sets it. The only place
#                      that names it.
#
# Functions return non-zero on failure, so callers under `set -e` stop.

LDG_REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
LDG_PROGRAM_BUILD=${LDG_PROGRAM_BUILD:-$LDG_REPO/build/win32}
LDG_SHEET_TITLE='事業概況書 - 集計条件'

# The Windows path under which the programs see a path of this machine.
ldg_windows_path() {
  local path
  path=$(realpath -m "$1") || return 1
  printf 'Z:%s' "${path//\//\\}"
}

# ldg_build DIR TARGET... : builds the targets in build folder DIR (e.g.
# `all`), first configuring it from the CMake preset named like the folder
# when there is one. The logs go to build/test-logs/{configure,build}-NAME.log;
# the screen gets the errors only, or after a good build its warnings.
#   LDG_JOBS  parallel jobs (default 2)
ldg_build() {
  local dir=$1 name logs presets
  shift
  name=$(basename "$dir")
  logs=$LDG_REPO/build/test-logs
  mkdir -p "$logs"
  presets=$(cd "$LDG_REPO" && cmake --list-presets=configure)
  if grep -qF "\"$name\"" <<<"$presets"; then
    (cd "$LDG_REPO" && cmake --preset "$name") >"$logs/configure-$name.log" 2>&1 ||
      { tail -n 30 "$logs/configure-$name.log" >&2; return 1; }
  fi
  cmake --build "$dir" -j "${LDG_JOBS:-2}" --target "$@" >"$logs/build-$name.log" 2>&1 || {
    grep -E 'error|Error|undefined reference' "$logs/build-$name.log" | head -n 40 >&2
    printf 'ldg: building %s in %s failed (log: %s)\n' "$*" "$dir" "$logs/build-$name.log" >&2
    return 1
  }
  if grep -q 'warning:' "$logs/build-$name.log"; then
    grep 'warning:' "$logs/build-$name.log" | sort -u | head -n 20
  fi
  return 0
}

# ldg_on_exit COMMAND : runs COMMAND when the script exits, after the
# commands registered later (one EXIT trap for the library and the script).
LDG_EXIT_HOOKS=()
ldg_on_exit() {
  LDG_EXIT_HOOKS=("$1" "${LDG_EXIT_HOOKS[@]}")
  trap _ldg_exit_hooks EXIT
  # Interrupted, the script still runs them.
  trap 'exit 130' INT
  trap 'exit 143' TERM
}
_ldg_exit_hooks() {
  local hook
  for hook in "${LDG_EXIT_HOOKS[@]}"; do eval "$hook" || true; done
}

# ldg_wine_session [THROWAWAY_DIR] : brings up the Wine session (display,
# prefix, persistent server) and tears it down when the calling script
# exits. With THROWAWAY_DIR it runs in a copy of the prefix made there (see
# ldg_throwaway_prefix; the caller removes the folder). No progress lines
# unless LDG_QUIET is set to something else than 1.
# shellcheck disable=SC2120  # the folder is optional
ldg_wine_session() {
  LDG_QUIET=${LDG_QUIET:-1}
  # shellcheck source=SCRIPTDIR/../wine-env.sh
  source "$LDG_REPO/scripts/wine-env.sh"
  ldg_on_exit 'ldg_stop_wineserver; ldg_stop_display'
  ldg_start_display || return 1
  if (($# > 0)); then
    ldg_throwaway_prefix "$1" || return 1
  else
    ldg_prepare_prefix || return 1
  fi
  ldg_start_wineserver
}

# ldg_gui STEP... : LdgGuiTool.exe of the build folder, inside the session;
# prints its key=value lines (`LdgGuiTool.exe --help` lists the steps).
ldg_gui() {
  "$LDG_WINE" "$LDG_PROGRAM_BUILD/bin/LdgGuiTool.exe" "$@"
}

# The value of KEY in key=value lines on standard input (the first one).
ldg_value() {
  sed -n "/^$1=/{s///p;q}"
}

# ldg_play_user PROGRAM SIMULATOR-OPTIONS : the host starts PROGRAM (its
# Windows path, see ldg_windows_path), the user presses "実行(F12)" on the
# sheet and confirms the closing message. Prints message=, host= and exit=
# lines.
ldg_play_user() {
  ldg_gui --timeout 120 start "$2 \"$1\"" window "$LDG_SHEET_TITLE" key F12 message ok finish
}

# ldg_expect WHAT WANT GOT : one check of a test script; a difference is
# printed and counted in LDG_FAILURES.
LDG_FAILURES=0
ldg_expect() {
  if [[ $2 != "$3" ]]; then
    printf 'FAILED: %s\n  want: %s\n  got:  %s\n' "$1" "${2//$'\n'/ | }" "${3//$'\n'/ | }"
    LDG_FAILURES=$((LDG_FAILURES + 1))
  fi
}

# ldg_throwaway_certificate DIR : a self-signed code signing certificate,
# DIR/cert.pem, and its key, DIR/key.pem, valid for two days: for signing in
# the tests, where it is also the only certificate authority trusted.
ldg_throwaway_certificate() {
  mkdir -p "$1"
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj '/CN=LdgOverview throwaway test signing' \
    -addext 'keyUsage=critical,digitalSignature' -addext 'extendedKeyUsage=codeSigning' \
    -keyout "$1/key.pem" -out "$1/cert.pem" >/dev/null 2>&1 || {
    echo "ldg: openssl could not make a certificate in $1" >&2
    return 1
  }
}

# ldg_signature_problem FILE CA : what is wrong with the Authenticode
# signature of FILE (a program or an MSI), checked against the certificate
# authority CA; prints nothing when it is there, SHA-256, its digest is the
# file's and its certificate leads to CA.
ldg_signature_problem() {
  local report current calculated
  report=$(osslsigncode verify -CAfile "$2" -in "$1" 2>&1) || true
  if grep -qE 'No signature found|has no signature' <<<"$report"; then
    echo "no signature"
    return 0
  fi
  # A program's digest, or an MSI's DigitalSignature stream.
  current=$(sed -nE 's/^Current (message digest|DigitalSignature) *: *//p' <<<"$report" | head -n 1)
  calculated=$(sed -nE 's/^Calculated (message digest|DigitalSignature) *: *//p' <<<"$report" |
    head -n 1)
  if [[ -z $current || $current != "$calculated" ]]; then
    echo "the digest is not the file's"
  elif ! grep -q '^Message digest algorithm *: SHA256' <<<"$report"; then
    echo "not SHA-256"
  elif ! grep -q '^Signature verification: ok' <<<"$report"; then
    echo "the certificate does not lead to $(basename "$2")"
  fi
  return 0
}
