#!/usr/bin/env bash
# Prints the report and the window image to PDF files on a full disk, through the real print path:
# once offscreen, with an earlier report of the same name on the disk, and once on the real
# desktop through the real print dialog. Each must end in the "Print Failed" message with the
# disk's reason, leave no part of a PDF file behind, and leave the earlier report as it was; the
# two transcripts must agree.
# Usage: print-full-disk.sh KESTRUNE-SCRIPT   (on a desktop: run-on-desktop.sh print-full-disk.sh ...)
# The small disk is a tmpfs: mounted directly as root, otherwise in a user namespace of its own.
set -euo pipefail
driver=$1

if [ "${KESTRUNE_IN_NAMESPACE:-}" != 1 ] && [ "$(id -u)" != 0 ]; then
    if unshare --user --map-root-user --mount true 2>/dev/null; then
        KESTRUNE_IN_NAMESPACE=1 exec unshare --user --map-root-user --mount bash "$0" "$@"
    fi
    echo "SKIPPED: a small disk cannot be mounted here (neither root nor user namespaces)"
    exit 0
fi

work=$(mktemp -d)
disk=$work/disk
mkdir "$disk"
mounted=0
cleanup() {
    if [ "$mounted" = 1 ]; then umount "$disk" || true; fi
    rm -rf "$work"
}
trap cleanup EXIT
# 8 KiB: the report's page needs about 15 KiB, the window image far more.
mount -t tmpfs -o size=8k kestrune-full-disk "$disk"
mounted=1

cat >"$work/print.ks" <<SCRIPT
type txtID Unit 7
printer pdf $disk/report.pdf
menu mnuPrintData
printer pdf $disk/window.pdf
menu mnuPrintForm
SCRIPT

status=0
fail() {
    echo "FAILED: $*"
    status=1
}

echo "earlier report" >"$disk/report.pdf"
"$driver" "$work/print.ks" >"$work/offscreen.out"
[ "$(cat "$disk/report.pdf")" = "earlier report" ] || fail "the earlier report was overwritten"
[ "$(ls -A "$disk")" = "report.pdf" ] || fail "files were left on the disk: $(ls -A "$disk")"

rm -f "$disk/report.pdf"
"$driver" --desktop "$work/print.ks" >"$work/desktop.out"
[ -z "$(ls -A "$disk")" ] || fail "files were left on the disk: $(ls -A "$disk")"

for what in "The report" "The window image"; do
    grep -qF "message 16 \"Print Failed\" \"$what was not printed: The file \\\"$disk/" \
        "$work/offscreen.out" || fail "no message that $what was not printed"
done
[ "$(grep -c "No space left on device" "$work/offscreen.out")" = 2 ] ||
    fail "the messages do not give the full disk as the reason"
diff -u "$work/offscreen.out" "$work/desktop.out" || fail "the real desktop's transcript differs"
cat "$work/desktop.out"
exit $status
