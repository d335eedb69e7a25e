#!/usr/bin/env bash
# Prints how long the select edition takes, for generated datasets of
# growing size: each run starts the program through the host simulator with
# saved conditions mapping that many entries, and the window driver plays
# the user. Four figures per run, in seconds:
#   launch  starting the host simulator to the condition sheet shown
#   page2   "次へ(F6)" to the main accounts page shown: the sheet's one query
#           of the year's totals and every tip with its amounts
#   dialog  a click on the button of item 2 on the main accounts page to
#           the account dialog shown with its amounts and total line; the
#           saved mapping names for item 2 an account of another class, so
#           the dialog lists every account
#   run     "実行(F12)" on the sheet to the closing message
# and two of memory, in MB: the program's peak working set with the sheet
# open after the dialog (sheet=) and at the closing message (peak=).
# One line per size, the medians over the runs:
#   accounts=50 entries=5 runs=3 launch=0.250 page2=0.020 dialog=0.050 run=0.200 sheet=12.0 peak=14.0
#
#   scripts/measure.sh [--build DIR] [--runs N] [--sizes "50x5 5000x500 50000x5000"]
set -euo pipefail

# shellcheck source=SCRIPTDIR/lib/ldg.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/ldg.sh"
cd "$LDG_REPO"
readonly DIALOG_TITLE='集約科目対応設定'
# The button of item 2 on the main accounts page (the page template's id).
readonly ITEM2_BUTTON=1026
runs=3
sizes="50x5 5000x500 50000x5000"
while (($# > 0)); do
  case $1 in
    --build) LDG_PROGRAM_BUILD=$(realpath -m "$2"); shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --sizes) sizes=$2; shift 2 ;;
    *) echo 'usage: scripts/measure.sh [--build DIR] [--runs N] [--sizes "50x5 5000x500 ..."]' >&2
       exit 2 ;;
  esac
done

ldg_build "$LDG_PROGRAM_BUILD" LdgSel18ToQb16_G LdgHostSim LdgGuiTool
work=$(mktemp -d /tmp/ldg-measure-XXXXXX)
ldg_on_exit "rm -rf '$work'"
ldg_wine_session

# The middle value of the numbers given, one per line.
median() {
  sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

# One run of the prepared case in folder $1: prints the four times and the
# two peaks, in bytes.
measure_once() {
  local dir=$1 program output
  program=$(ldg_windows_path "$LDG_PROGRAM_BUILD/bin/LdgSel18ToQb16_G.exe")
  cp "$dir/saved.env" "$dir/conditions/$(<"$dir/saved.name")"
  rm -f "$dir/overview.xml"
  output=$(ldg_gui --timeout 300 \
    time start "--timeout 600 --state \"$(ldg_windows_path "$dir/state.json")\" \
--output \"$(ldg_windows_path "$dir/overview.xml")\" \"$program\"" window "$LDG_SHEET_TITLE" \
    time key F6 shown "$ITEM2_BUTTON" time click "$ITEM2_BUTTON" window "$DIALOG_TITLE" key Esc \
    gone window "$LDG_SHEET_TITLE" memory time key F12 message window '事業概況書' memory message ok \
    finish) || true
  if [[ $(ldg_value exit <<<"$output") != 0 ]]; then
    printf 'measure: the run did not end with completion code 0:\n%s\n' "$output" >&2
    return 1
  fi
  sed -n 's/^\(seconds\|peak\)=//p' <<<"$output" | paste -sd ' '
}

# The middle value of column $1 of the runs' figures in file $2, in MB when
# $3 is "mb".
column_median() {
  if [[ ${3:-} == mb ]]; then
    cut -d' ' -f"$1" "$2" | median | awk '{ printf "%.1f\n", $1 / 1048576 }'
  else
    cut -d' ' -f"$1" "$2" | median
  fi
}

for size in $sizes; do
  accounts=${size%x*}
  entries=${size#*x}
  dir=$work/$size
  mkdir -p "$dir/conditions"
  python3 samples/generate_dataset.py synthetic --accounts "$accounts" --seed 7 --no 1 \
    --out "$dir/generated.json"
  python3 scripts/ldg_data.py state "$dir/generated.json" "$dir/state.json" --dataset 1 \
    --folder "$(ldg_windows_path "$dir")"
  rm "$dir/generated.json"
  python3 scripts/ldg_data.py conditions "$dir/state.json" "$dir/conditions" \
    --entries "$entries" --outside 2 --output "$(ldg_windows_path "$dir/overview.xml")"
  # Each run saves the conditions again; every run starts from the same file.
  name=$(cd "$dir/conditions" && ls)
  printf '%s' "$name" >"$dir/saved.name"
  mv "$dir/conditions/$name" "$dir/saved.env"
  : >"$dir/figures"
  for ((r = 0; r < runs; ++r)); do
    measure_once "$dir" >>"$dir/figures"
  done
  # Columns: launch, page2, dialog, the sheet's peak, run, the final peak.
  f=$dir/figures
  printf 'accounts=%s entries=%s runs=%s launch=%s page2=%s dialog=%s run=%s sheet=%s peak=%s\n' \
    "$accounts" "$entries" "$runs" "$(column_median 1 "$f")" "$(column_median 2 "$f")" \
    "$(column_median 3 "$f")" "$(column_median 5 "$f")" "$(column_median 4 "$f" mb)" \
    "$(column_median 6 "$f" mb)"
done
