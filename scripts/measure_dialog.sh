#!/usr/bin/env bash
# Prints how long the account selection dialog takes to open for a dataset
# with many main accounts: the seconds from a click on an item button of
# the main accounts page to the dialog "集約科目対応設定" being shown. The saved
# conditions map every item to one account outside the item's classes, so
# the dialog opens with all main accounts listed. The window is shown only
# after its list has been filled, so its appearance marks the filled list.
# The host simulator starts the select edition under Wine; xdotool presses
# the keys as a person would.
#   scripts/measure_dialog.sh [ACCOUNTS [RUNS]]
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
accounts=${1:-5000}
runs=${2:-3}
work=$(mktemp -d /tmp/ldg-measure-dialog-XXXXXX)
trap 'rm -rf "$work"' EXIT

cmake --build build/win64 --target LdgSel18ToQb16_G LdgHostSim >"$work/build.log" 2>&1 ||
  { grep -E 'error' "$work/build.log" | head -n 20; exit 1; }

windows_path() { printf 'Z:%s' "${1//\//\\}"; }

python3 samples/generate_dataset.py synthetic --accounts "$accounts" --seed 7 --no 1 \
  --out "$work/large.json"
mkdir -p "$work/conditions"
python3 - "$work/large.json" "$work" "$(windows_path "$work")" \
  "$repo/editions/LdgSel18ToQb16_G_GaiKmk.dat" "$repo/samples/sample-company.json" <<'PY'
import json, sys
source, folder, win_folder, items_file, sample = sys.argv[1:]
state = json.load(open(source, encoding="utf-8"))
state.setdefault("package", json.load(open(sample, encoding="utf-8"))["package"])
state["user"] = {"id": "admin", "selection": [1, 1]}
state["folders"] = {"output": win_folder + "\\", "conditions": win_folder + "\\conditions\\"}
json.dump(state, open(folder + "/state.json", "w", encoding="utf-8"), ensure_ascii=False)
accounts = [a for a in state["datasets"][0]["accounts"] if a["code"] % 10000 == 0]
# One main account of each side of the chart: balance sheet, profit and loss.
outside = {
    0x80: next(a for a in accounts if int(a["class"], 16) >> 24 == 0x40),
    0x40: next(a for a in accounts if int(a["class"], 16) >> 24 == 0x80),
}
lines = open(items_file, "rb").read().decode("cp932").split("\r\n")
entries = []
for line in lines[lines.index("[共通様式]") + 1:lines.index("[終了]")]:
    fields = line.rstrip(";").split("/")
    side = int(fields[2].split("+")[0], 16) >> 24
    if side in outside:
        entries.append(f"{fields[0]}/0x{outside[side]['id']}[END]\n")
text = ("[P1]\n3/0/0/" + win_folder + "\\overview.xml\n[終了]\n[P2/P3]\n" + "".join(entries)
        + "[終了]\n")
open(folder + "/conditions/QB16_G_admin_1_1.env", "wb").write(text.encode("cp932"))
PY

# F6 to the main accounts page, a click on the button of item 2
# ("うち兼業売上（収入）高", 122, 95 pixels from the sheet's corner), and the
# seconds until the dialog shows (looked for every 10 ms, for at most 60 s);
# then Esc on the dialog and on the sheet, and "いいえ" to leave unsaved.
play_user() {
  local sheet dialog start now
  sheet=$(xdotool search --sync --name '事業概況書 - 集計条件' | head -n 1)
  xdotool windowfocus --sync "$sheet" key F6
  eval "$(xdotool getwindowgeometry --shell "$sheet")"
  xdotool mousemove --sync $((X + 122)) $((Y + 95))
  start=$(date +%s.%N)
  xdotool click 1
  dialog=
  for ((i = 0; i < 6000; ++i)); do
    dialog=$(xdotool search --onlyvisible --name '^集約科目対応設定$' 2>/dev/null | head -n 1) || true
    [[ -n $dialog ]] && break
    sleep 0.01
  done
  now=$(date +%s.%N)
  [[ -n $dialog ]] || { echo "no dialog" >&2; return 1; }
  awk -v a="$start" -v b="$now" 'BEGIN { printf "seconds=%.3f\n", b - a }'
  xdotool windowfocus --sync "$dialog" key Escape
  sleep 0.5
  xdotool windowfocus --sync "$sheet" key Escape
  local box
  box=$(timeout 30 xdotool search --sync --onlyvisible --name '^事業概況書$' | head -n 1)
  xdotool windowfocus --sync "$box" key n
  box=$(timeout 30 xdotool search --sync --onlyvisible --name '^事業概況書$' | head -n 1)
  xdotool windowfocus --sync "$box" key Return
}
export -f play_user windows_path
export repo work

run_once() {
  local result
  result=$("$repo/scripts/wine-run.sh" "$repo/build/win64/bin/LdgHostSim.exe" \
    --state "$(windows_path "$work/state.json")" --function-id 2 \
    --output "$(windows_path "$work/overview.xml")" \
    "$(windows_path "$repo/build/win64/bin/LdgSel18ToQb16_G.exe")" & sim=$!
    play_user
    wait $sim || true)
  grep -o 'seconds=.*' <<<"$result" || { printf '%s\n' "$result" >&2; return 1; }
}
export -f run_once

echo "dialog with all $accounts main accounts listed, $runs runs"
# shellcheck disable=SC2016  # expanded by the inner shell
scripts/with-wine.sh bash -c 'for ((r = 0; r < $0; ++r)); do run_once; done' "$runs"
