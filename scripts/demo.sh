#!/usr/bin/env bash
# Builds the select edition and runs it as the host would: the host
# simulator starts it for the sample company's dataset with an output path,
# the demo presses "実行(F12)" on the condition sheet and confirms the
# closing message, and prints what the program told the host and where the
# XML file is.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
state=${1:-$repo/samples/sample-company.json}
out_dir=$repo/build/demo
xml=$out_dir/overview.xml

# The 32-bit build: the host and its libraries are 32-bit.
preset=win32

if [[ $(id -u) -eq 0 ]]; then scripts/setup.sh >/dev/null; fi
mkdir -p build/test-logs "$out_dir"
rm -f "$xml"
cmake --preset $preset >build/test-logs/configure-demo.log 2>&1
cmake --build --preset $preset --target LdgSel18ToQb16_G LdgHostSim >build/test-logs/build-demo.log 2>&1 ||
  { grep -E 'error' build/test-logs/build-demo.log | head -n 20; exit 1; }

windows_path() { printf 'Z:%s' "${1//\//\\}"; }
bin=$repo/build/$preset/bin
echo "demo: the host starts LdgSel18ToQb16_G.exe for $(basename "$state")"

# Plays the user: F12 on the sheet, Enter on the closing message.
play_user() {
  local sheet box
  sheet=$(xdotool search --sync --name '事業概況書 - 集計条件' | head -n 1)
  xdotool windowfocus --sync "$sheet" key F12
  box=$(timeout 60 xdotool search --sync --name '^事業概況書$' | head -n 1)
  xdotool windowfocus --sync "$box" key Return
}
export -f play_user

rc=0
output=$(scripts/with-wine.sh bash -c '
  "$0" "$1" --state "$2" --output "$3" --function-id 2 "$4" & sim=$!
  play_user
  wait $sim' scripts/wine-run.sh "$bin/LdgHostSim.exe" "$(windows_path "$state")" \
  "$(windows_path "$xml")" "$(windows_path "$bin/LdgSel18ToQb16_G.exe")") || rc=$?
printf '%s\n' "$output"
case $rc in
  0) echo "demo: completion code 0: the report was written to $xml" ;;
  1) echo "demo: completion code 1: the run stopped without an error" ;;
  2) echo "demo: completion code 2: the run failed" ;;
  98) echo "demo: the program did not end in time" ;;
  99) echo "demo: the program ended without telling the host" ;;
  *) echo "demo: the host simulator ended with $rc" ;;
esac
if [[ -f $xml ]]; then
  echo "demo: the first lines of the report (converted from Shift_JIS for display):"
  head -n 12 "$xml" | iconv -f CP932 -t UTF-8 | tr -d '\r'
fi
