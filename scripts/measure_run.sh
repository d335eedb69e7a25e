#!/usr/bin/env bash
# Prints how long a whole run of the select edition takes from "実行(F12)" to
# the closing message: once for a large generated dataset (5,000 accounts,
# 500 mapping entries given in a saved conditions file) and once for the
# sample dataset 12 with its default mapping. The host simulator starts the
# program under Wine; xdotool presses the keys as a person would.
#   scripts/measure_run.sh [ACCOUNTS [ENTRIES]]
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
accounts=${1:-5000}
entries=${2:-500}
work=$(mktemp -d /tmp/ldg-measure-XXXXXX)
trap 'rm -rf "$work"' EXIT

cmake --build build/win64 --target LdgSel18ToQb16_G LdgHostSim >"$work/build.log" 2>&1 ||
  { grep -E 'error' "$work/build.log" | head -n 20; exit 1; }

windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# A host state from FILE with dataset NO opened and the folders in $work/NAME/;
# with ENTRIES > 0 also a saved conditions file mapping that many accounts
# to the items whose classes they carry.
prepare() {
  local source=$1 no=$2 name=$3 mapped=$4
  mkdir -p "$work/$name/conditions"
  python3 - "$source" "$no" "$work/$name" "$(windows_path "$work/$name")" "$mapped" \
    "$repo/editions/LdgSel18ToQb16_G_GaiKmk.dat" "$repo/samples/sample-company.json" <<'EOF'
import json, sys
source, no, folder, win_folder, mapped, items_file, sample = sys.argv[1:]
state = json.load(open(source, encoding="utf-8"))
state.setdefault("package", json.load(open(sample, encoding="utf-8"))["package"])
state["user"] = {"id": "admin", "selection": [1, int(no)]}
state["folders"] = {"output": win_folder + "\\", "conditions": win_folder + "\\conditions\\"}
json.dump(state, open(folder + "/state.json", "w", encoding="utf-8"), ensure_ascii=False)
if int(mapped) == 0:
    sys.exit(0)
dataset = next(d for d in state["datasets"] if d["no"] == int(no))
lines = open(items_file, "rb").read().decode("cp932").split("\r\n")
items = []
for line in lines[lines.index("[共通様式]") + 1:lines.index("[終了]")]:
    fields = line.rstrip(";").split("/")
    classes = {int(c, 16) for c in fields[2].split("+")}
    accounts = [a["id"] for a in dataset["accounts"] if int(a["class"], 16) in classes]
    if accounts:
        items.append((int(fields[0]), accounts))
entries = []
while len(entries) < int(mapped):
    for item_no, accounts in items:
        if accounts and len(entries) < int(mapped):
            entries.append(f"{item_no}/0x{accounts.pop(0)}[END]\n")
text = ("[P1]\n3/0/0/" + win_folder + "\\overview.xml\n[終了]\n[P2/P3]\n" + "".join(entries)
        + "[終了]\n")
name = f"{folder}/conditions/QB16_G_admin_1_{no}.env"
open(name, "wb").write(text.encode("cp932"))
EOF
}

# Seconds from F12 on the sheet to the closing message box, then Enter on it.
# The box is looked for every 10 ms, for at most 120 s.
play_user() {
  local sheet box start now
  sheet=$(xdotool search --sync --name '事業概況書 - 集計条件' | head -n 1)
  xdotool windowfocus --sync "$sheet"
  start=$(date +%s.%N)
  xdotool key F12
  for ((i = 0; i < 12000; ++i)); do
    box=$(xdotool search --onlyvisible --name '^事業概況書$' 2>/dev/null | head -n 1) || true
    [[ -n $box ]] && break
    sleep 0.01
  done
  now=$(date +%s.%N)
  [[ -n $box ]] || { echo "no closing message" >&2; return 1; }
  xdotool windowfocus --sync "$box" key Return
  awk -v a="$start" -v b="$now" 'BEGIN { printf "seconds=%.3f\n", b - a }'
}
export -f play_user

# Runs NAME's state through the simulator; prints the figure and the result.
run() {
  local name=$1 result
  result=$("$repo/scripts/wine-run.sh" "$repo/build/win64/bin/LdgHostSim.exe" \
    --state "$(windows_path "$work/$name/state.json")" --function-id 2 \
    --output "$(windows_path "$work/$name/overview.xml")" \
    "$(windows_path "$repo/build/win64/bin/LdgSel18ToQb16_G.exe")" & sim=$!
    play_user
    wait $sim)
  printf '%s: %s %s\n' "$name" "$(grep -o 'seconds=.*' <<<"$result")" \
    "$(grep -o 'code=[0-9]*' <<<"$result")"
}
export -f run windows_path
export repo work

python3 samples/generate_dataset.py synthetic --accounts "$accounts" --seed 7 --no 1 \
  --out "$work/large.json"
prepare "$work/large.json" 1 large "$entries"
prepare samples/sample-company.json 12 sample 0
echo "large: $accounts accounts, $entries mapping entries; sample: dataset 12, default mapping"
scripts/with-wine.sh bash -c 'run large && run sample'
