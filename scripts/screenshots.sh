#!/usr/bin/env bash
# Takes the pictures of the guide and the README from the real program: the
# host simulator starts the select edition for the sample company, the
# window driver plays the user and saves each window (with its tooltip or
# menu) from the screen, which ImageMagick turns into PNG:
#   sheet_page1.png            page 1 "集計条件", an output file typed in
#   sheet_page2_tooltip.png    page 2 "主要科目" with the tooltip of 現金預金,
#                              its accounts' amounts and its total
#   sheet_page3.png            page 3 "月別売上等"
#   account_dialog.png         the account dialog of 現金預金 with all accounts
#                              shown: amounts, the other items that use an
#                              account, and the total line
#   account_dialog_menu.png    the same dialog with its popup menu
#   progress_window.png        the progress window, on a generated dataset
#                              large enough for the window to be seen
#   closing_message.png        the closing message of the sample company's run
#   detail.png                 the aggregation detail of that run, on A4
# It also checks that the sheet's own buttons stand where its layout puts
# them, and prints one line per picture.
#
# Runs in a throwaway copy of the Wine prefix, so the DPI can be changed.
#   scripts/screenshots.sh [--build DIR] [--dpi N] [--out DIR]
# Defaults: build/win32, 96 DPI, docs/images (other DPIs: build/screenshots-N).
set -euo pipefail

# shellcheck source=SCRIPTDIR/lib/ldg.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/ldg.sh"
cd "$LDG_REPO"
dpi=96
out=
while (($# > 0)); do
  case $1 in
    --build) LDG_PROGRAM_BUILD=$(realpath -m "$2"); shift 2 ;;
    --dpi) dpi=$2; shift 2 ;;
    --out) out=$(realpath -m "$2"); shift 2 ;;
    *) echo 'usage: scripts/screenshots.sh [--build DIR] [--dpi N] [--out DIR]' >&2; exit 2 ;;
  esac
done
if [[ -z $out ]]; then
  if ((dpi == 96)); then out=$LDG_REPO/docs/images; else out=$LDG_REPO/build/screenshots-$dpi; fi
fi
readonly SHEET=$LDG_SHEET_TITLE
readonly DIALOG='集約科目対応設定'
# Control ids of the templates (src/res/*_res.h).
readonly OUTPUT_PATH=1008 CASH_BUTTON=1048 ACCOUNT_LIST=1030 PAGE3_LAST_BUTTON=1034
readonly OWN_BUTTONS='2002 2003 2000 2001' APPLY_BUTTON=12321

if [[ $(id -u) -eq 0 ]]; then scripts/setup.sh >/dev/null; fi
ldg_build "$LDG_PROGRAM_BUILD" LdgSel18ToQb16_G LdgHostSim LdgGuiTool
mkdir -p "$out"
work=$(mktemp -d /tmp/ldg-screenshots-XXXXXX)

ldg_on_exit "rm -rf '$work'"
# With progress lines: a new prefix takes minutes.
LDG_QUIET=${LDG_QUIET:-0}
ldg_wine_session "$work/prefix"
ldg_set_dpi "$dpi"

program=$(ldg_windows_path "$LDG_PROGRAM_BUILD/bin/LdgSel18ToQb16_G.exe")

# gui STEP... : the window driver; stops the script with its error. Its
# output goes through a file: a host simulator it starts and leaves running
# inherits its standard output, and a pipe would stay open until that ends.
gui() {
  local rc=0
  ldg_gui --timeout 120 "$@" >"$work/gui.out" || rc=$?
  if ((rc != 0)); then
    printf 'screenshots: %s\n' "$(ldg_value error <"$work/gui.out")" >&2
    return "$rc"
  fi
  cat "$work/gui.out"
}

# save_png NAME : the driver's last picture ($work/shot.bmp, its lines in
# $work/gui.out) as NAME.png, transparent outside the windows it shows.
save_png() {
  local size parts x y w h
  size=$(ldg_value shot <"$work/gui.out")
  parts=$(sed -n 's/^part=//p' "$work/gui.out" | while IFS=, read -r x y w h; do
    printf 'rectangle %d,%d %d,%d ' "$x" "$y" $((x + w - 1)) $((y + h - 1))
  done)
  # No time stamps in the file: the same picture gives the same bytes.
  convert "$work/shot.bmp" \( -size "${size/,/x}" xc:black -fill white -draw "$parts" \) \
    -alpha off -compose CopyOpacity -composite -strip -define png:exclude-chunks=date,time \
    "$out/$1.png"
  echo "screenshots: $out/$1.png (${size/,/x})"
}

# shot NAME STEP... : does the steps, then saves the window they end on,
# with its tooltip or menu, as NAME.png.
shot() {
  local name=$1
  shift
  gui "$@" shot "$(ldg_windows_path "$work/shot.bmp")" >/dev/null
  save_png "$name"
}

# check_layout : the own buttons stand where the sheet's layout puts them:
# with W x H the client area, h the standard Apply button's height and
# q = (W - 20) / 4, all at y = H - H / 21, h high and q - 10 wide, left
# edges 8, q + 2, W + 8 - 2q and W + 2 - q.
check_layout() {
  local lines W H h q want got
  # shellcheck disable=SC2086  # the ids are words
  lines=$(gui window "$SHEET" place $OWN_BUTTONS $APPLY_BUTTON)
  IFS=, read -r W H <<<"$(ldg_value client <<<"$lines")"
  h=$(grep "^place=$APPLY_BUTTON," <<<"$lines" | cut -d, -f5)
  q=$(((W - 20) / 4))
  want="2002,8 2003,$((q + 2)) 2000,$((W + 8 - 2 * q)) 2001,$((W + 2 - q))"
  want=$(for b in $want; do printf '%s,%s,%s,%s\n' "$b" $((H - H / 21)) $((q - 10)) "$h"; done)
  got=$(sed -n 's/^place=//p' <<<"$lines" | grep -v "^$APPLY_BUTTON,")
  if [[ $got != "$want" ]]; then
    printf 'screenshots: the own buttons are not where the layout puts them (client %sx%s):\n' \
      "$W" "$H" >&2
    diff <(echo "$want") <(echo "$got") >&2 || true
    return 1
  fi
  echo "screenshots: own buttons as laid out (client ${W}x${H}, buttons ${h} high, q=$q)"
}

# The sample company, its folders on C:, as a user would have them.
python3 scripts/ldg_data.py state samples/sample-company.json "$work/sample.json" --dataset 12 \
  --folder 'C:\users\Public\Documents'
sample=$(ldg_windows_path "$work/sample.json")
gui start "--state \"$sample\" --function-id 2 \"$program\"" window "$SHEET" >/dev/null
check_layout
# A file name instead of "*.xml", typed while page 1 is the current page.
gui window "$SHEET" text "$OUTPUT_PATH" 'C:\users\Public\Documents\事業概況書.xml' >/dev/null
# The dialog first: the sheet is drawn as the active window only once it has
# been activated again after the dialog (the driver starts it in the
# background). The tooltip last: it stays until the sheet closes.
shot account_dialog window "$SHEET" key F6 click "$CASH_BUTTON" window "$DIALOG" key Alt+A
shot account_dialog_menu window "$DIALOG" key Alt+A menu "$ACCOUNT_LIST"
gui window "$DIALOG" park key Esc key Esc gone >/dev/null
# Keys change the page after the driver's next step: wait until it shows.
shot sheet_page1 window "$SHEET" park key F5 shown "$OUTPUT_PATH"
shot sheet_page3 window "$SHEET" key F6 key F6 shown "$PAGE3_LAST_BUTTON"
shot sheet_page2_tooltip window "$SHEET" key F5 hover "$CASH_BUTTON"
shot closing_message window "$SHEET" key F12 window '事業概況書'
gui message ok >/dev/null

# ---------------------------------------------------------------------------
# The aggregation detail the run wrote beside its XML
# (C:\users\Public\Documents\事業概況書_集計明細.html), printed on A4 by
# scripts/render_detail.sh: its first page and the one of the monthly table.
# ---------------------------------------------------------------------------
scripts/render_detail.sh "$WINEPREFIX/drive_c/users/Public/Documents/事業概況書_集計明細.html" \
  "$out/detail.png" | sed 's/^render:/screenshots: detail/'

# The progress window is seen only on a large dataset: a generated one of
# 50,000 accounts, on which it stays for a few tenths of a second. The
# driver looks for it at 60 % every 5 ms and holds the program still for
# the picture; a run it misses is repeated.
python3 samples/generate_dataset.py synthetic --accounts 50000 --seed 7 --no 1 \
  --out "$work/generated.json" >/dev/null
python3 scripts/ldg_data.py state "$work/generated.json" "$work/large.json" --dataset 1 \
  --folder "$(ldg_windows_path "$work")"
for try in 1 2 3; do
  gui start "--timeout 600 --state \"$(ldg_windows_path "$work/large.json")\" \
--output \"$(ldg_windows_path "$work/large.xml")\" \"$program\"" window "$SHEET" >/dev/null
  if ldg_gui --timeout 5 window "$SHEET" key F12 window '集計中 6*' \
    snap "$(ldg_windows_path "$work/shot.bmp")" >"$work/gui.out"; then
    save_png progress_window
    gui message ok >/dev/null
    break
  fi
  echo "screenshots: progress window, try $try: $(ldg_value error <"$work/gui.out")"
  gui message ok >/dev/null
  if ((try == 3)); then echo 'screenshots: the progress window was never seen' >&2; exit 1; fi
done
echo "screenshots: done at $dpi DPI"
