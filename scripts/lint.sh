#!/usr/bin/env bash
# Checks formatting (clang-format) and runs clang-tidy over the native
# build's sources. Needs build/native (scripts/test.sh or cmake --preset native).
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"

status=0
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${sources[@]}" 2>/dev/null; then
  echo "lint: files not formatted (clang-format -i):"
  for f in "${sources[@]}"; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || echo "  $f"
  done
  status=1
fi

# clang cannot take the Shift_JIS literal option of the g++ build.
mkdir -p build/lint
sed 's/-fexec-charset=CP932//g' build/native/compile_commands.json >build/lint/compile_commands.json
# Only what the native build compiles: the Win32 halves and the
# per-edition file are checked by the cross compiler's warnings.
mapfile -t units < <(git ls-files 'src/*.cpp' 'hostsim/*.cpp' 'tests/unit/*.cpp' |
  grep -vE '(_win\.cpp|/win/|src/res/edition\.cpp)')
# One clang-tidy per core, a few files each.
findings=$(printf '%s\n' "${units[@]}" |
  xargs -P "$(nproc)" -n 4 clang-tidy -p build/lint --quiet 2>/dev/null |
  grep -E 'warning:|error:' | sort -u || true)
if [[ -n $findings ]]; then
  printf '%s\n' "$findings"
  status=1
else
  echo "lint: clang-tidy clean"
fi
exit $status
