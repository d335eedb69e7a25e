#!/usr/bin/env bash
# Small file systems for the fault matrix, mounted as root before the
# end-to-end suite and removed after it:
#   FOLDER/full      a tmpfs with a previous XML and a filler that leaves one
#                    page free, so that no new document fits
#   FOLDER/readonly  a tmpfs with saved conditions, remounted read-only
# Each gets a ".mounted" marker; without root nothing is mounted and the
# cases that need them are reported as skipped.
#   tests/e2e/fault_mounts.sh setup|cleanup FOLDER
set -uo pipefail

action=${1:-}
folder=${2:-}
[[ -n $folder ]] || { echo "usage: $0 setup|cleanup FOLDER" >&2; exit 2; }

cleanup() {
  for mount in "$folder/full" "$folder/readonly"; do
    if mountpoint -q "$mount" 2>/dev/null; then umount "$mount"; fi
  done
  rm -rf "$folder"
}

case $action in
  cleanup)
    cleanup
    ;;
  setup)
    cleanup
    mkdir -p "$folder/full" "$folder/readonly"
    if [[ $(id -u) -ne 0 ]] || ! mount -t tmpfs -o size=64k tmpfs "$folder/full" 2>/dev/null; then
      echo "fault mounts: not root or no mount: the full-disk and read-only cases will be skipped"
      exit 0
    fi
    printf '<?xml version="1.0"?><REPORT>the previous good file</REPORT>\r\n' >"$folder/full/previous.xml"
    : >"$folder/full/.mounted"
    # Fill the rest, then give back exactly one page.
    dd if=/dev/zero of="$folder/full/filler" bs=1024 2>/dev/null
    truncate -s -4096 "$folder/full/filler"
    if mount -t tmpfs -o size=64k tmpfs "$folder/readonly"; then
      mkdir "$folder/readonly/conditions"
      printf '[P1]\n3/0/0/\n[\xe7\xb5\x82\xe4\xba\x86]\n[P2/P3]\n[\xe7\xb5\x82\xe4\xba\x86]\n' |
        iconv -f UTF-8 -t CP932 >"$folder/readonly/conditions/QB16_G_admin_1_12.env"
      : >"$folder/readonly/.mounted"
      mount -o remount,ro "$folder/readonly"
    fi
    echo "fault mounts: $(df -k --output=avail "$folder/full" | tail -n 1) KB free on the full disk"
    ;;
  *)
    echo "usage: $0 setup|cleanup FOLDER" >&2
    exit 2
    ;;
esac
