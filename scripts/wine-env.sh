# shellcheck shell=bash
# Wine test bed: source this file, do not execute it.
#
#   LDG_BUILD_DIR   build folder (default: <repo>/build); holds the prefix,
#                   its template copy, the lock and the log.
#   LDG_QUIET=1     no progress lines from ldg_prepare_prefix.
#
# Shell options of the caller are left alone; every function returns non-zero
# on failure so that callers running under `set -e` stop there.

LDG_REPO_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
LDG_BUILD_DIR=${LDG_BUILD_DIR:-$LDG_REPO_DIR/build}
export LDG_BUILD_DIR

export WINEPREFIX=$LDG_BUILD_DIR/wine-prefix
# A 64-bit prefix; with the 32-bit loader (Debian's wine32) installed it runs
# 32-bit and 64-bit programs alike.
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono/Gecko: their install prompts would block, and nothing here needs them.
export WINEDLLOVERRIDES='mscoree,mshtml='
export LC_ALL=ja_JP.UTF-8
export LANG=ja_JP.UTF-8

# With wine32, Debian's `wine` wrapper starts the 32-bit loader, which hands
# a 64-bit program on to wine64 beside it. Without wine32 the wrapper only
# prints a hint about it, so the 64-bit loader is called directly; such a
# Wine runs 64-bit programs only.
_LDG_WINE32_LOADER=/usr/lib/wine/wine
if [[ -x $_LDG_WINE32_LOADER ]]; then
  LDG_WINE=$(command -v wine || echo "$_LDG_WINE32_LOADER")
  LDG_WINE_RUNS_32BIT=1
  # Processes Wine starts itself use this loader, or wine64 beside it.
  export WINELOADER=$_LDG_WINE32_LOADER
else
  if command -v wine64 >/dev/null 2>&1; then
    LDG_WINE=$(command -v wine64)
  elif [[ -x /usr/lib/wine/wine64 ]]; then
    LDG_WINE=/usr/lib/wine/wine64
  else
    LDG_WINE=$(command -v wine || echo wine)
  fi
  LDG_WINE_RUNS_32BIT=0
  export WINELOADER=$LDG_WINE
fi
LDG_WINESERVER=$(command -v wineserver || echo wineserver)

LDG_XVFB_PID=${LDG_XVFB_PID:-}

_ldg_say() {
  if [[ ${LDG_QUIET:-0} != 1 ]]; then printf 'wine-env: %s\n' "$*" >&2; fi
}

# Registry settings every prefix gets, as UTF-8 text.
#  - Managed=N: otherwise every top-level window hide/destroy waits 2 s for a
#    window manager that Xvfb does not have.
#  - Font replacements: the dialogs name Japanese system fonts that Wine does
#    not ship; IPA P Gothic (fonts-ipafont-gothic) has the glyphs.
#  - AeDebug Debugger="": with the default winedbg --auto, a crashing program
#    printed a backtrace but then exited with 0 about every third time, so a
#    crashing test could pass. Without a debugger the exit code is always the
#    exception code (0xC0000005 -> 5 after the 8-bit cut) and no crash dialog
#    can wait for a click.
#  - Audio="": no audio device probing on every process start.
_ldg_reg_text() {
  local name
  printf '%s\n' 'Windows Registry Editor Version 5.00' ''
  printf '%s\n' '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' ''
  printf '%s\n' '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]'
  for name in 'ＭＳ Ｐゴシック' 'MS UI Gothic' 'MS Shell Dlg' 'MS Shell Dlg 2'; do
    printf '"%s"="IPAPGothic"\n' "$name"
  done
  # The fixed-pitch face gets the fixed-pitch IPA face, so column layouts hold.
  printf '"%s"="IPAGothic"\n' 'ＭＳ ゴシック'
  printf '\n'
  printf '%s\n' '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]' \
    '"Debugger"=""' ''
  printf '%s\n' '[HKEY_CURRENT_USER\Software\Wine\Drivers]' '"Audio"=""' ''
}

# regedit/reg read a UTF-8 file as the ANSI code page (CP932 here) and garble
# the Japanese names; UTF-16LE with BOM and CRLF is read as written.
_ldg_write_reg() {
  local out=$1
  {
    printf '\377\376'
    _ldg_reg_text | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE
  } >"$out"
}

# Wine's own fonts (Marlett draws the caption buttons, check marks and
# scroll arrows). This Wine build does not load them from its data folder,
# only from C:\windows\Fonts.
_LDG_WINE_FONTS=/usr/share/wine/fonts

_ldg_link_wine_fonts() {
  local f dest=$WINEPREFIX/drive_c/windows/Fonts
  [[ -d $_LDG_WINE_FONTS ]] || return 0
  mkdir -p "$dest" || return 1
  for f in "$_LDG_WINE_FONTS"/*; do
    [[ -e $dest/${f##*/} ]] || ln -s "$f" "$dest/" || return 1
  done
}

# The Wine installation a prefix was made by: its packages with their
# architectures and versions, and the loaders present. A prefix made before
# wine32 was installed has no 32-bit system folder, and every program started
# through the 32-bit loader then fails with "could not load kernel32.dll".
_ldg_wine_id() {
  local loader
  if command -v dpkg-query >/dev/null 2>&1; then
    dpkg-query -W -f='${db:Status-Abbrev} ${binary:Package} ${Version}\n' 'wine*' 'libwine*' \
      2>/dev/null | grep '^ii' | sort
  fi
  for loader in /usr/lib/wine/wine /usr/lib/wine/wine64 "$LDG_WINE"; do
    if [[ -e $loader ]]; then printf '%s\n' "$loader"; fi
  done
}

# Changes whenever the prefix setup below or the installed Wine changes, so
# old prefixes (and their template copy) are rebuilt. Bump the number when
# changing a step other than the registry.
_ldg_settings_id() {
  { printf 'layout 2\n'; _ldg_reg_text; _ldg_wine_id; } | cksum | cut -d' ' -f1
}

_ldg_stamp_matches() {
  local dir=$1 want=$2 have=''
  [[ -f $dir/.ldg-ready ]] || return 1
  have=$(<"$dir/.ldg-ready")
  [[ $have == "$want" ]]
}

_ldg_build_prefix() {
  local id=$1 log=$2 rebuild=$3
  # A server still holding the old prefix would keep serving the deleted
  # directory's registry.
  if [[ -d $WINEPREFIX ]]; then
    "$LDG_WINESERVER" -k >>"$log" 2>&1 || true
    rm -rf "$WINEPREFIX"
  fi

  if ((rebuild == 0)) && _ldg_stamp_matches "$WINEPREFIX-template" "$id"; then
    _ldg_say "copying Wine prefix from template"
    rm -rf "$WINEPREFIX.tmp"
    cp -a "$WINEPREFIX-template" "$WINEPREFIX.tmp" \
      && mv "$WINEPREFIX.tmp" "$WINEPREFIX" \
      || return 1
    return 0
  fi

  _ldg_say "creating Wine prefix $WINEPREFIX (about 15 s)"
  "$LDG_WINE" wineboot -i >>"$log" 2>&1 || return 1
  _ldg_write_reg "$WINEPREFIX/ldg-settings.reg" || return 1
  # Relative name: reg.exe does not translate Unix paths.
  (cd "$WINEPREFIX" && "$LDG_WINE" reg import ldg-settings.reg) >>"$log" 2>&1 || return 1
  _ldg_link_wine_fonts || return 1
  # The registry reaches system.reg/user.reg only when the server exits;
  # the template copy below must see it.
  "$LDG_WINESERVER" -w >>"$log" 2>&1 || return 1
  printf '%s\n' "$id" >"$WINEPREFIX/.ldg-ready"

  rm -rf "$WINEPREFIX-template.tmp" "$WINEPREFIX-template"
  cp -a "$WINEPREFIX" "$WINEPREFIX-template.tmp" \
    && mv "$WINEPREFIX-template.tmp" "$WINEPREFIX-template" \
    || return 1
}

# Makes $WINEPREFIX ready: nothing to do when its stamp matches the current
# settings and Wine, a 2 s copy when the template matches, a full wineboot
# otherwise. With --rebuild, a full wineboot whatever the stamps say.
# Safe to call from parallel test processes.
ldg_prepare_prefix() {
  local id log rc=0 rebuild=0
  if [[ ${1:-} == --rebuild ]]; then rebuild=1; fi
  id=$(_ldg_settings_id) || return 1
  if ((rebuild == 0)) && _ldg_stamp_matches "$WINEPREFIX" "$id"; then return 0; fi

  mkdir -p "$LDG_BUILD_DIR" || return 1
  log=$LDG_BUILD_DIR/wine-prefix.log
  {
    flock 9 || return 1
    # Another process may have finished the prefix while this one waited.
    if ((rebuild == 1)) || ! _ldg_stamp_matches "$WINEPREFIX" "$id"; then
      : >"$log"
      _ldg_build_prefix "$id" "$log" "$rebuild" || rc=$?
    fi
  } 9>"$LDG_BUILD_DIR/wine-prefix.lock"

  if ((rc != 0)); then
    printf 'wine-env: preparing %s failed; last lines of %s:\n' "$WINEPREFIX" "$log" >&2
    tail -n 20 "$log" >&2
    return "$rc"
  fi
}

# ldg_throwaway_prefix DIR : a copy of the ready template prefix in DIR,
# made the current WINEPREFIX, for runs that change the prefix for good
# (installing packages, another DPI) and must leave the shared one as it
# was. The caller removes DIR after stopping its server.
ldg_throwaway_prefix() {
  local dir=$1
  ldg_prepare_prefix || return 1
  rm -rf "$dir"
  cp -a "$WINEPREFIX-template" "$dir" || return 1
  export WINEPREFIX=$dir
}

# ldg_set_dpi N : the screen's DPI (LogPixels) in the current prefix, for
# the programs started after it. The tests' geometry assumes 96: change it
# only in a throwaway prefix.
ldg_set_dpi() {
  local key
  for key in 'HKEY_CURRENT_USER\Control Panel\Desktop' \
    'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
    "$LDG_WINE" reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 || return 1
  done
}

# Starts Xvfb when DISPLAY is empty and exports DISPLAY. A display that was
# already set is used as it is and never stopped by ldg_stop_display.
ldg_start_display() {
  if [[ -n ${DISPLAY:-} ]]; then return 0; fi
  local n pid tries
  for ((n = 90; n < 190; n++)); do
    if [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]]; then continue; fi
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    pid=$!
    for ((tries = 0; tries < 100; tries++)); do
      # Dead already: another process took :n between the probe and the start.
      if ! kill -0 "$pid" 2>/dev/null; then break; fi
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        export DISPLAY=:$n
        LDG_XVFB_PID=$pid
        return 0
      fi
      sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
      kill "$pid" 2>/dev/null || true
      wait "$pid" 2>/dev/null || true
      printf 'wine-env: Xvfb :%s did not answer within 10 s\n' "$n" >&2
      return 1
    fi
    wait "$pid" 2>/dev/null || true
  done
  printf 'wine-env: no free X display number found\n' >&2
  return 1
}

# Stops the Xvfb that ldg_start_display started, if any.
ldg_stop_display() {
  if [[ -z ${LDG_XVFB_PID:-} ]]; then return 0; fi
  kill "$LDG_XVFB_PID" 2>/dev/null || true
  wait "$LDG_XVFB_PID" 2>/dev/null || true
  LDG_XVFB_PID=
  unset DISPLAY
}

# True when the prefix starts a 64-bit program and, where Wine has its 32-bit
# loader, a 32-bit one. Its output goes to the prefix log.
_ldg_prefix_runs_programs() {
  local log=$LDG_BUILD_DIR/wine-prefix.log
  timeout 120 "$LDG_WINE" 'C:\windows\system32\cmd.exe' /c exit </dev/null >>"$log" 2>&1 || return 1
  if ((LDG_WINE_RUNS_32BIT == 1)); then
    timeout 120 "$LDG_WINE" 'C:\windows\syswow64\cmd.exe' /c exit </dev/null >>"$log" 2>&1 ||
      return 1
  fi
}

# A persistent server saves the 0.3 s of server start and prefix load per
# test program. Exit code 2 means one is already running, which is fine.
#
# The helper processes (services.exe, explorer.exe, ...) live as long as the
# server and inherit the Unix stdout/stderr of whichever program started
# them. Started by the first test, they would hold that test's output pipe
# open and CTest would wait on it until teardown; so start them here, on
# /dev/null.
#
# The first programs started also check the prefix: one that its stamp takes
# for current but that cannot start programs (made by a Wine the stamp does
# not tell apart) is made anew once.
ldg_start_wineserver() {
  local rc=0
  # The daemon keeps whatever stdout/stderr it starts with; a caller's pipe
  # (`with-wine.sh ... | tee log`) would stay open until teardown.
  "$LDG_WINESERVER" -p </dev/null >/dev/null 2>&1 || rc=$?
  if ((rc != 0 && rc != 2)); then
    printf 'wine-env: wineserver -p failed (%s)\n' "$rc" >&2
    return "$rc"
  fi
  if _ldg_prefix_runs_programs; then return 0; fi

  _ldg_say "Wine does not start programs in $WINEPREFIX; creating it anew"
  ldg_prepare_prefix --rebuild || return 1
  "$LDG_WINESERVER" -p </dev/null >/dev/null 2>&1 || true
  _ldg_prefix_runs_programs || {
    printf 'wine-env: Wine does not start programs in a new prefix %s; last lines of %s:\n' \
      "$WINEPREFIX" "$LDG_BUILD_DIR/wine-prefix.log" >&2
    tail -n 20 "$LDG_BUILD_DIR/wine-prefix.log" >&2
    return 1
  }
}

# Kills the prefix's server and every Wine process in it; none running is fine.
ldg_stop_wineserver() {
  "$LDG_WINESERVER" -k 2>/dev/null || true
}
