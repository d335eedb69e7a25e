#!/usr/bin/env bash
# Builds the select edition and runs it as the host would: the host
# simulator starts it for the sample company's dataset. Prints what the
# program told the host.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
state=${1:-$repo/samples/sample-company.json}

if [[ $(id -u) -eq 0 ]]; then scripts/setup.sh >/dev/null; fi
mkdir -p build/test-logs
cmake --preset win64 >build/test-logs/configure-demo.log 2>&1
cmake --build --preset win64 --target LdgSel18ToQb16_G LdgHostSim >build/test-logs/build-demo.log 2>&1 ||
  { grep -E 'error' build/test-logs/build-demo.log | head -n 20; exit 1; }

windows_path() { printf 'Z:%s' "${1//\//\\}"; }
bin=$repo/build/win64/bin
echo "demo: the host starts LdgSel18ToQb16_G.exe for $(basename "$state")"
rc=0
output=$(scripts/with-wine.sh scripts/wine-run.sh "$bin/LdgHostSim.exe" \
  --state "$(windows_path "$state")" --function-id 2 "$(windows_path "$bin/LdgSel18ToQb16_G.exe")") || rc=$?
printf '%s\n' "$output"
case $rc in
  0) echo "demo: completion code 0: the report was written" ;;
  1) echo "demo: completion code 1: the run stopped without an error" ;;
  2) echo "demo: completion code 2: the run failed" ;;
  98) echo "demo: the program did not end in time" ;;
  99) echo "demo: the program ended without telling the host" ;;
  *) echo "demo: the host simulator ended with $rc" ;;
esac
