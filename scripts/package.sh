#!/usr/bin/env bash
# Builds the installation packages of the three editions from the 32-bit
# build, into build/packages/:
#   <prefix>-<version>.msi  installs the program and its two data files per
#                           machine into INSTALLDIR (default: Program Files
#                           (x86)\LdgOverview\<prefix>\); a newer package of
#                           the same edition replaces it; uninstalling
#                           removes exactly these three files
#   <prefix>-<version>.zip  the same files and a Japanese read-me
#                           (readme_ja.txt) for installing by hand
# The version is the programs' own (their version resource). Prints whether
# it signs, then one line per package with its size.
#   scripts/package.sh [--build DIR] [--out DIR] [--version X.Y.Z] [--no-build]
#     --version  a package version other than the programs' (tests of the upgrade)
#     --no-build take the programs as they are in the build folder
#
# Signing (Authenticode, SHA-256, with osslsigncode): the programs before
# they go into the packages, then the MSIs. Without a certificate the
# packages are built unsigned.
#   LDG_SIGN_CERT           the code signing certificate (PEM or DER), with
#                           its chain up to the root
#   LDG_SIGN_KEY            its private key (PEM or DER)
#   LDG_SIGN_PASSWORD_FILE  a file holding the key's password, if it has one
#   LDG_SIGN_TIMESTAMP      an RFC 3161 time-stamp server's address (optional)
#
# The same commit gives the same bytes: every date in the packages (the
# files' times in the MSI's cabinet and in the ZIP, the MSI's summary
# information, an untimestamped signature's signing time) is
# SOURCE_DATE_EPOCH, by default the commit's time, and the MSI's package
# code is derived from the edition, the version and that time.
set -euo pipefail

# shellcheck source=SCRIPTDIR/lib/ldg.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/ldg.sh"
cd "$LDG_REPO"
out=$LDG_REPO/build/packages
version=
build=1
while (($# > 0)); do
  case $1 in
    --build) LDG_PROGRAM_BUILD=$(realpath -m "$2"); shift 2 ;;
    --out) out=$(realpath -m "$2"); shift 2 ;;
    --version) version=$2; shift 2 ;;
    --no-build) build=0; shift ;;
    *) echo 'usage: scripts/package.sh [--build DIR] [--out DIR] [--version X.Y.Z] [--no-build]' >&2
       exit 2 ;;
  esac
done
bin=$LDG_PROGRAM_BUILD/bin
mapfile -t editions < <(python3 scripts/msi_source.py editions)
if ((build == 1)); then
  # shellcheck disable=SC2046  # one word per prefix
  ldg_build "$LDG_PROGRAM_BUILD" $(for e in "${editions[@]}"; do echo "${e%% *}"; done)
fi
for tool in wixl msibuild zip faketime; do
  command -v "$tool" >/dev/null || { echo "package: $tool is missing (scripts/setup.sh)" >&2; exit 1; }
done
mkdir -p "$out"
stage=$(mktemp -d /tmp/ldg-package-XXXXXX)
ldg_on_exit "rm -rf '$stage'"

if [[ -z ${SOURCE_DATE_EPOCH:-} ]]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || date +%s)
fi
export SOURCE_DATE_EPOCH
# Tools that take the time from the clock run on a clock stopped there.
stopped_clock() {
  TZ=UTC faketime -f "$(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S')" "$@"
}

signing=()
if [[ -n ${LDG_SIGN_CERT:-}${LDG_SIGN_KEY:-} ]]; then
  for file in "${LDG_SIGN_CERT:-}" "${LDG_SIGN_KEY:-}" ${LDG_SIGN_PASSWORD_FILE:+"$LDG_SIGN_PASSWORD_FILE"}; do
    [[ -f $file ]] || {
      echo "package: LDG_SIGN_CERT and LDG_SIGN_KEY must name files (no '$file')" >&2
      exit 1
    }
  done
  command -v osslsigncode >/dev/null || { echo "package: osslsigncode is missing (scripts/setup.sh)" >&2; exit 1; }
  signing=(-certs "$LDG_SIGN_CERT" -key "$LDG_SIGN_KEY" -h sha256)
  if [[ -n ${LDG_SIGN_PASSWORD_FILE:-} ]]; then signing+=(-readpass "$LDG_SIGN_PASSWORD_FILE"); fi
  if [[ -n ${LDG_SIGN_TIMESTAMP:-} ]]; then
    signing+=(-ts "$LDG_SIGN_TIMESTAMP")
  else
    signing+=(-time "$SOURCE_DATE_EPOCH")
  fi
  echo "package: signing with $LDG_SIGN_CERT${LDG_SIGN_TIMESTAMP:+, time-stamped by $LDG_SIGN_TIMESTAMP}"
else
  echo "package: not signed (LDG_SIGN_CERT and LDG_SIGN_KEY are not set)"
fi
# sign FILE DESCRIPTION : signs FILE in place, when there is a certificate.
sign() {
  ((${#signing[@]})) || return 0
  local log=$stage/sign.log
  if ! osslsigncode sign "${signing[@]}" -n "$2" -in "$1" -out "$1.signed" >"$log" 2>&1; then
    echo "package: signing $(basename "$1") failed:" >&2
    cat "$log" >&2
    exit 1
  fi
  mv "$1.signed" "$1"
}

# The short read-me of the ZIP, in Shift_JIS with CR LF as Windows' editors
# expect it.
readme() {
  local prefix=$1 display=$2 version=$3
  cat <<EOF
事業概況書 連動コンポーネント（${display} 用）　バージョン ${version}

会計データから事業概況書を集計し、申告用のXMLファイルに出力するプログラムです。
会計アプリケーション（${display}）から起動して使います。

■ 含まれるファイル
  ${prefix}.exe          プログラム
  ${prefix}_GaiKmk.dat   事業概況書の項目の定義
  ${prefix}_DefKmk.dat   項目に集約する科目の初期設定

■ 手作業でインストールするには
  1. 会計アプリケーションを終了します。
  2. 上の3つのファイルを、会計アプリケーションのフォルダ（KodamaDef.ini と
     会計アプリケーションのDLLがあるフォルダ）にコピーします。
     同じ名前のファイルがあれば上書きします（更新のとき）。
  3. 会計アプリケーションを起動し、事業概況書の作成を選びます。

  KodamaDef.ini は会計アプリケーションのファイルです。このパッケージには
  含まれず、編集する必要もありません。

■ MSIパッケージでインストールするには
  管理者として、フォルダを指定して実行します。
    msiexec /i ${prefix}-${version}.msi INSTALLDIR="会計アプリケーションのフォルダ"
  新しいバージョンのMSIは、古いバージョンを置き換えます。

■ アンインストール
  MSIで入れた場合は「アプリと機能」（または「プログラムと機能」）から
  アンインストールします。手作業で入れた場合は、上の3つのファイルだけを
  削除します。
  KodamaDef.ini、保存された集計条件（QB16_G_*.env）、出力したXMLファイル
  は削除されません。
EOF
}

for entry in "${editions[@]}"; do
  prefix=${entry%% *}
  display=${entry#* }
  v=${version:-$(python3 scripts/msi_source.py version "$bin/$prefix.exe")}
  dir=$stage/$prefix
  mkdir -p "$dir"
  mapfile -t files < <(python3 scripts/msi_source.py files "$prefix")
  for f in "${files[@]}"; do cp "$bin/$f" "$dir/"; done
  cp src/res/program.ico "$dir/"
  name=$(python3 scripts/msi_source.py name "$prefix")
  sign "$dir/$prefix.exe" "$name"
  readme "$prefix" "$display" "$v" | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 >"$dir/readme_ja.txt"
  # Every file of the cabinet and the ZIP dated at the commit.
  touch -d "@$SOURCE_DATE_EPOCH" "$dir"/*

  python3 scripts/msi_source.py wxs "$prefix" "$v" >"$dir/$prefix.wxs"
  # Strings in code page 932: wixl converts them for the language in
  # WINDOWS_LANGUAGE; the database is then marked with that code page, and
  # its package code set.
  (cd "$dir" && WINDOWS_LANGUAGE=ja stopped_clock wixl -a x86 -o package.msi "$prefix.wxs")
  printf '\r\n\r\n932\t_ForceCodepage\r\n' >"$dir/_ForceCodepage.idt"
  mapfile -t summary < <(python3 scripts/msi_source.py summary "$prefix" "$v" "$SOURCE_DATE_EPOCH")
  (cd "$dir" && WINDOWS_LANGUAGE=ja stopped_clock msibuild package.msi -i _ForceCodepage.idt \
    -s "${summary[@]}")
  sign "$dir/package.msi" "$name"
  mv "$dir/package.msi" "$out/$prefix-$v.msi"

  # Entries in a fixed order, with no extra attributes: the same files give
  # the same ZIP.
  rm -f "$out/$prefix-$v.zip"
  (cd "$stage" && TZ=UTC zip -q -X -D "$out/$prefix-$v.zip" "${files[@]/#/$prefix/}" \
    "$prefix/readme_ja.txt")
  for package in "$out/$prefix-$v.msi" "$out/$prefix-$v.zip"; do
    echo "package: $package ($(stat -c %s "$package") bytes)"
  done
done
