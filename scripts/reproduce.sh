#!/usr/bin/env bash
# Shows that a commit's 32-bit build reproduces byte for byte: two clean
# clones of it, in folders of different names and depths, each build the
# programs, the stand-in's DLLs and the host simulator (win32 preset) and
# the unsigned packages; every file is compared. Prints one line per file
# (`same` or `DIFFERS`, with its SHA-256 or the count of bytes that differ),
# then `N files, N differ` and the seconds taken; exits 1 when any differs.
#   scripts/reproduce.sh [COMMIT]     (default HEAD; uncommitted changes are not built)
set -euo pipefail

# shellcheck source=SCRIPTDIR/lib/ldg.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/ldg.sh"
commit=$(git -C "$LDG_REPO" rev-parse --verify "${1:-HEAD}^{commit}")
work=$(mktemp -d /tmp/ldg-reproduce-XXXXXX)
ldg_on_exit "rm -rf '$work'"
start=$(date +%s)
mapfile -t programs < <(python3 "$LDG_REPO/scripts/msi_source.py" editions | cut -d' ' -f1)

# build CLONE : clones the commit into CLONE and builds what is compared.
build() {
  git clone --quiet --no-checkout "$LDG_REPO" "$1"
  git -C "$1" checkout --quiet --detach "$commit"
  (
    cd "$1"
    # The clone's own scripts, with the clone's own logs; unsigned.
    # shellcheck source=SCRIPTDIR/lib/ldg.sh
    source scripts/lib/ldg.sh
    ldg_build build/win32 "${programs[@]}" LdgHostSim >/dev/null
    env -u LDG_SIGN_CERT -u LDG_SIGN_KEY scripts/package.sh --no-build >/dev/null
  )
}
first=$work/a
second=$work/the-other-clone/of/$(basename "$LDG_REPO")
build "$first"
build "$second"

files=0
differ=0
while read -r file; do
  files=$((files + 1))
  if cmp -s "$first/$file" "$second/$file"; then
    echo "same     $file  $(sha256sum "$first/$file" | cut -c1-16)"
  else
    differ=$((differ + 1))
    if [[ -f $second/$file ]]; then
      echo "DIFFERS  $file  $(cmp -l "$first/$file" "$second/$file" 2>/dev/null | wc -l) bytes"
    else
      echo "DIFFERS  $file  missing in the second build"
    fi
  fi
done < <(cd "$first" && find build/win32/bin -maxdepth 1 \( -name '*.dll' \
  -o -name LdgHostSim.exe $(printf -- ' -o -name %s.exe' "${programs[@]}") \) | sort &&
  find build/packages -name '*.msi' -o -name '*.zip' | sort)
echo "$files files, $differ differ ($(($(date +%s) - start)) s, commit ${commit:0:12})"
((differ == 0))
