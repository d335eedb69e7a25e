#!/usr/bin/env bash
# Builds the select edition and runs it as the host would: the host
# simulator starts it for the sample company's dataset with an output path,
# the demo presses "実行(F12)" on the condition sheet and confirms the
# closing message, and prints what the program told the host and where the
# XML file is.
#   scripts/demo.sh [--build DIR] [STATE.json]
set -euo pipefail

# shellcheck source=SCRIPTDIR/lib/ldg.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/ldg.sh"
cd "$LDG_REPO"
if [[ ${1:-} == --build ]]; then
  LDG_PROGRAM_BUILD=$(realpath -m "$2")
  shift 2
fi
state=$(realpath -m "${1:-samples/sample-company.json}")
out_dir=$LDG_REPO/build/demo
xml=$out_dir/overview.xml
detail=$out_dir/overview_集計明細.html

if [[ $(id -u) -eq 0 ]]; then scripts/setup.sh >/dev/null; fi
mkdir -p "$out_dir"
rm -f "$xml" "$detail"
ldg_build "$LDG_PROGRAM_BUILD" LdgSel18ToQb16_G LdgHostSim LdgGuiTool
echo "demo: the host starts LdgSel18ToQb16_G.exe for $(basename "$state")"

ldg_wine_session
program=$(ldg_windows_path "$LDG_PROGRAM_BUILD/bin/LdgSel18ToQb16_G.exe")
output=$(ldg_play_user "$program" "--state \"$(ldg_windows_path "$state")\" \
--output \"$(ldg_windows_path "$xml")\" --function-id 2") || true
sed -n 's/^host=//p' <<<"$output"
message=$(ldg_value message <<<"$output")
[[ -z $message ]] || echo "demo: the closing message: ${message//\\n/ }"
rc=$(ldg_value exit <<<"$output")
case ${rc:-none} in
  0) echo "demo: completion code 0: the report was written to $xml" ;;
  1) echo "demo: completion code 1: the run stopped without an error" ;;
  2) echo "demo: completion code 2: the run failed" ;;
  98) echo "demo: the program did not end in time" ;;
  99) echo "demo: the program ended without telling the host" ;;
  none) echo "demo: $(ldg_value error <<<"$output")" ;;
  *) echo "demo: the host simulator ended with $rc" ;;
esac
if [[ -f $xml ]]; then
  echo "demo: the first lines of the report (converted from Shift_JIS for display):"
  head -n 12 "$xml" | iconv -f CP932 -t UTF-8 | tr -d '\r'
fi
[[ ! -f $detail ]] || echo "demo: the aggregation detail beside it: $detail"
[[ $rc == 0 ]]
