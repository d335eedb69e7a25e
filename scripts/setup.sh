#!/usr/bin/env bash
# Installs what this project needs to build and test on Debian 12.
# Run as root. Only missing packages are installed, so a second run needs
# no network and finishes in well under a second. The 32-bit Wine loader
# (wine32) comes from the i386 architecture, which is enabled first. The
# audit of the details takes Debian's chromium and the npm packages of
# tests/audit/package-lock.json (never a browser of their own).
set -euo pipefail

readonly PACKAGES=(
  cmake
  ninja-build
  g++
  clang-14
  libclang-rt-14-dev
  libgtest-dev
  libbenchmark-dev
  rapidjson-dev
  googletest
  g++-mingw-w64-x86-64
  g++-mingw-w64-i686
  wine64
  wine32:i386
  wine
  xvfb
  xdotool
  x11-utils
  fonts-ipafont-gothic
  locales
  libxml2-utils
  imagemagick
  chromium
  wixl
  msitools
  faketime
  osslsigncode
  openssl
  zip
  unzip
  file
  clang-format
  clang-tidy
  python3
)
readonly LOCALE_LINE='ja_JP.UTF-8 UTF-8'
readonly LOG="${TMPDIR:-/tmp}/ldg-setup.log"
readonly AUDIT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../tests/audit" && pwd)

say() { printf 'setup: %s\n' "$*"; }

fail() {
  printf 'setup: %s (log: %s)\n' "$*" "$LOG" >&2
  if [[ -s $LOG ]]; then tail -n 20 "$LOG" >&2; fi
  exit 1
}

if [[ $(id -u) -ne 0 ]]; then
  printf 'setup: must run as root\n' >&2
  exit 1
fi

: >"$LOG"

missing=()
for pkg in "${PACKAGES[@]}"; do
  # "ii" is the only state in which a package is fully installed; "rc" or
  # half-configured states must be (re)installed as well.
  status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$pkg" 2>/dev/null || true)
  if [[ $status != ii* ]]; then
    missing+=("$pkg")
  fi
done

if ((${#missing[@]} > 0)); then
  export DEBIAN_FRONTEND=noninteractive
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    say "adding the i386 architecture (for wine32)"
    dpkg --add-architecture i386 >>"$LOG" 2>&1 || fail "dpkg --add-architecture i386 failed"
  fi
  say "apt-get update"
  apt-get update >>"$LOG" 2>&1 || fail "apt-get update failed"
  say "installing ${missing[*]}"
  # With recommends: Wine needs fonts-wine (Marlett) and the X render/randr
  # libraries, which libwine only recommends.
  apt-get install -y -q "${missing[@]}" >>"$LOG" 2>&1 \
    || fail "apt-get install failed"
else
  say "packages already installed"
fi

# Both spellings occur: glibc lists the locale as ja_JP.utf8.
if locale -a 2>/dev/null | grep -qiE '^ja_JP\.utf-?8$'; then
  say "locale ja_JP.UTF-8 present"
else
  say "generating locale ja_JP.UTF-8"
  if grep -qE "^[#[:space:]]*${LOCALE_LINE}\$" /etc/locale.gen; then
    sed -i -E "s/^[#[:space:]]*(${LOCALE_LINE})\$/\\1/" /etc/locale.gen
  else
    printf '%s\n' "$LOCALE_LINE" >>/etc/locale.gen
  fi
  locale-gen >>"$LOG" 2>&1 || fail "locale-gen failed"
fi

# The npm packages as the lock file names them, installed again only when it
# changes.
if cmp -s "$AUDIT/package-lock.json" "$AUDIT/node_modules/.ldg-installed-lock"; then
  say "audit packages present"
elif ! command -v npm >/dev/null; then
  fail "npm is missing: the audit of the details needs Node.js with npm"
else
  say "installing the audit packages (npm ci in tests/audit)"
  (cd "$AUDIT" && npm ci --no-audit --no-fund >>"$LOG" 2>&1) || fail "npm ci in tests/audit failed"
  cp "$AUDIT/package-lock.json" "$AUDIT/node_modules/.ldg-installed-lock"
fi
