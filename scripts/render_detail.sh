#!/usr/bin/env bash
# Renders an aggregation detail as a headless browser prints it on A4 paper
# and saves two of its pages side by side as a PNG: the first (heading and
# main items) and the one where the monthly table starts. Installs Debian's
# chromium and poppler-utils first when they are missing (as root).
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
pdftoppm -r 72 -f 1 -l 1 "$work/detail.pdf" "$work/first"
pdftoppm -r 72 -f "$second" -l "$second" "$work/detail.pdf" "$work/second"
mkdir -p "$(dirname "$out")"
python3 - "$out" "$work"/first-*.ppm "$work"/second-*.ppm <<'EOF'
# Two PPM pages side by side, with a grey gap, written as a PNG.
import struct, sys, zlib

def read_ppm(path):
    data = open(path, "rb").read()
    fields, at = [], 0
    while len(fields) < 4:
        while data[at:at + 1].isspace():
            at += 1
        end = at
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[at:end])
        at = end
    width, height = int(fields[1]), int(fields[2])
    pixels = data[at + 1:]
    return width, height, [pixels[r * width * 3:(r + 1) * width * 3] for r in range(height)]

(w1, h1, a), (w2, h2, b) = read_ppm(sys.argv[2]), read_ppm(sys.argv[3])
gap, height = 12, max(h1, h2)
grey = b"\xa0" * 3
rows = []
for r in range(height):
    left = a[r] if r < h1 else grey * w1
    right = b[r] if r < h2 else grey * w2
    rows.append(b"\x00" + left + grey * gap + right)
width = w1 + gap + w2

def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
png += chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b"")
open(sys.argv[1], "wb").write(png)
EOF
echo "render: pages 1 and $second of the A4 print: $out"
