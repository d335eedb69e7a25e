#!/usr/bin/env bash
# Renders an aggregation detail as a headless browser prints it on A4 paper
# and saves two of its pages side by side as a PNG: the first (heading and
# main items) and the one where the monthly table starts. Installs Debian's
# chromium, poppler-utils and imagemagick first when they are missing (as root).
#   scripts/render_detail.sh [--build DIR] [DETAIL.html] [OUT.png]
# DETAIL defaults to the select edition's detail on dataset 12 that the
# end-to-end tests leave in DIR/e2e-output; OUT to docs/images/detail.png.
# Prints `pages= size=` of the A4 print and the picture's path.
set -euo pipefail

# shellcheck source=SCRIPTDIR/lib/ldg.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/ldg.sh"
cd "$LDG_REPO"
if [[ ${1:-} == --build ]]; then
  LDG_PROGRAM_BUILD=$(realpath -m "$2")
  shift 2
fi
detail=$(realpath -m "${1:-$LDG_PROGRAM_BUILD/e2e-output/LdgSel18ToQb16_G_12_集計明細.html}")
out=$(realpath -m "${2:-docs/images/detail.png}")
[[ -f $detail ]] || { echo "render: no $detail (run the end-to-end tests or demo first)" >&2; exit 1; }

missing=()
command -v chromium >/dev/null 2>&1 || missing+=(chromium)
command -v pdftoppm >/dev/null 2>&1 || missing+=(poppler-utils)
command -v convert >/dev/null 2>&1 || missing+=(imagemagick)
if ((${#missing[@]})); then
  [[ $(id -u) -eq 0 ]] || { echo "render: install ${missing[*]} (as root)" >&2; exit 1; }
  echo "render: installing ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    -o DPkg::Lock::Timeout=600 "${missing[@]}" >/dev/null
fi

work=$(mktemp -d)
ldg_on_exit "rm -rf '$work'"
# The browser's own profile, never the user's; no sandbox, as root.
chromium --headless=new --no-sandbox --disable-gpu --no-pdf-header-footer \
  --user-data-dir="$work/profile" --print-to-pdf="$work/detail.pdf" "file://$detail" \
  >/dev/null 2>&1
pages=$(pdfinfo "$work/detail.pdf" | sed -n 's/^Pages: *//p')
size=$(pdfinfo "$work/detail.pdf" | sed -n 's/^Page size: *//p')
echo "render: pages=$pages size=$size"

second=2
for ((page = 1; page <= pages; page++)); do
  if pdftotext -f "$page" -l "$page" "$work/detail.pdf" - | grep -q '^月別売上等$'; then
    second=$page
    break
  fi
done
((second <= pages)) || second=1
pdftoppm -png -r 72 -f 1 -l 1 "$work/detail.pdf" "$work/first"
pdftoppm -png -r 72 -f "$second" -l "$second" "$work/detail.pdf" "$work/second"
mkdir -p "$(dirname "$out")"
# Side by side with a grey gap; no time stamps, so an unchanged detail
# gives the same file.
convert "$work"/first-*.png \( -size 12x1 xc:'#a0a0a0' \) "$work"/second-*.png \
  -background '#a0a0a0' +append -strip -define png:exclude-chunks=date,time "$out"
echo "render: pages 1 and $second of the A4 print: $out"
