#!/usr/bin/env bash
# Prints the report and the window image through the real print path to the system printers of a
# print service (CUPS) of the test's own: a scheduler started here in the foreground, with its
# configuration, spool and state in a temporary folder, listening only on a socket there, and
# queues whose device is /dev/null. The machine's own print service is neither needed nor touched.
#
# A queue that takes jobs gets them (seen in the scheduler's spool) and no message shows; a queue
# that refuses jobs, one that refuses this user's job when it comes, one removed between the print
# dialog and the printing, and a print service stopped then, each end in "Print Failed" with the
# reason and leave no job behind; Cancel in the print dialog, offscreen and in the real dialog on a
# virtual desktop, stays silent.
#
# Usage: print-queue.sh KESTRUNE-SCRIPT [RUN-ON-DESKTOP]
# Reported as skipped where the scheduler (cups-daemon) or its tools (cups-client) are missing.
set -euo pipefail
driver=$1
desktop=${2:-}

PATH=$PATH:/usr/sbin:/sbin
for program in cupsd lpadmin lpstat cupsaccept cupsreject; do
    if ! command -v "$program" >/dev/null 2>&1; then
        echo "SKIPPED: $program is not installed (scripts/install-deps.sh installs cups-daemon" \
            "and cups-client)"
        exit 0
    fi
done

work=$(mktemp -d)
scheduler=""
cleanup() {
    if [ -n "$scheduler" ]; then
        kill "$scheduler" 2>/dev/null || true
        wait "$scheduler" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/conf" "$work/spool/tmp" "$work/cache" "$work/state" "$work/log" "$work/home"
cat >"$work/conf/cups-files.conf" <<CONF
ServerRoot $work/conf
RequestRoot $work/spool
TempDir $work/spool/tmp
CacheDir $work/cache
StateDir $work/state
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
Printcap $work/state/printcap
FileDevice Yes
CONF
cat >"$work/conf/cupsd.conf" <<CONF
Listen $work/cups.sock
Browsing No
WebInterface No
LogLevel info
PreserveJobFiles Yes
PreserveJobHistory Yes
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF

# No system bus for the scheduler: it would announce the test's queues to the desktop's colour
# management.
DBUS_SYSTEM_BUS_ADDRESS="unix:path=$work/no-bus" \
    cupsd -f -c "$work/conf/cupsd.conf" -s "$work/conf/cups-files.conf" \
    >"$work/log/cupsd.out" 2>&1 </dev/null &
scheduler=$!

# The program, the driver and the tools talk only to this scheduler, and read no printer settings
# of the user's (~/.cups).
export CUPS_SERVER=$work/cups.sock
export HOME=$work/home
for _ in $(seq 100); do
    lpstat -r 2>/dev/null | grep -q "is running" && break
    sleep 0.1
done
if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    echo "FAILED: the print service of the test did not start"
    cat "$work/log/cupsd.out" "$work/log/error_log" 2>/dev/null || true
    exit 1
fi
lpadmin -p front -v file:///dev/null -E
lpadmin -p back -v file:///dev/null -E

status=0
fail() {
    echo "FAILED: $*"
    status=1
}
jobs_on() { lpstat -W all -o "$1" 2>/dev/null | wc -l; }

# Shows a transcript and checks it against the expected one (standard input).
expect_transcript() {
    local name=$1 actual=$2
    echo "--- $name"
    cat "$actual"
    diff -u - "$actual" >"$work/$name.diff" || {
        cat "$work/$name.diff"
        fail "$name: the transcript differs"
    }
}

print_both() {
    cat <<SCRIPT
answer Unit 7
printer queue $1
menu mnuPrintData
printer queue $1
menu mnuPrintForm
SCRIPT
}

# A queue that takes jobs: both pages reach it, each a PDF document, and nothing is said.
print_both front >"$work/accepting.ks"
"$driver" "$work/accepting.ks" >"$work/accepting.out"
expect_transcript accepting "$work/accepting.out" <<'OUT'
> answer Unit 7
> printer queue front
> menu mnuPrintData
prompt "Escalator ID" "Do you wish to identify this escalator?" -> "Unit 7"
printdialog -> queue "front"
> printer queue front
> menu mnuPrintForm
printdialog -> queue "front"
OUT
[ "$(jobs_on front)" = 2 ] || fail "the queue got $(jobs_on front) jobs instead of 2"
for document in "$work"/spool/d*; do
    [ "$(head -c 5 "$document")" = "%PDF-" ] || fail "$document is no PDF document"
done
if command -v pdftotext >/dev/null 2>&1; then
    pdftotext "$work/spool/d00001-001" - | grep -q "Unit 7" ||
        fail "the report in the queue does not show the identification"
fi

# A queue that refuses jobs, with the reason its administrator gave, and without one.
cupsreject -r "Out of paper in tray 2" front
print_both front >"$work/rejecting.ks"
"$driver" "$work/rejecting.ks" >"$work/rejecting.out"
expect_transcript rejecting "$work/rejecting.out" <<'OUT'
> answer Unit 7
> printer queue front
> menu mnuPrintData
prompt "Escalator ID" "Do you wish to identify this escalator?" -> "Unit 7"
printdialog -> queue "front"
message 16 "Print Failed" "The report was not printed: The printer \"front\" does not accept jobs: Out of paper in tray 2."
> printer queue front
> menu mnuPrintForm
printdialog -> queue "front"
message 16 "Print Failed" "The window image was not printed: The printer \"front\" does not accept jobs: Out of paper in tray 2."
OUT
cupsreject front
printf 'answer Unit 7\nprinter queue front\nkey Ctrl+P\nshow txtID\n' >"$work/rejecting-plain.ks"
"$driver" "$work/rejecting-plain.ks" >"$work/rejecting-plain.out"
expect_transcript rejecting-plain "$work/rejecting-plain.out" <<'OUT'
> answer Unit 7
> printer queue front
> key Ctrl+P
prompt "Escalator ID" "Do you wish to identify this escalator?" -> "Unit 7"
printdialog -> queue "front"
message 16 "Print Failed" "The report was not printed: The printer \"front\" does not accept jobs: Rejecting Jobs."
> show txtID
field txtID "Unit 7"
OUT
cupsaccept front
[ "$(jobs_on front)" = 2 ] || fail "a queue that refuses jobs got one"

# A queue that takes jobs, but not this user's: the job itself is refused when it comes.
lpadmin -p back -u "deny:$(id -un)"
print_both back >"$work/refused.ks"
"$driver" "$work/refused.ks" >"$work/refused.out"
expect_transcript refused "$work/refused.out" <<'OUT'
> answer Unit 7
> printer queue back
> menu mnuPrintData
prompt "Escalator ID" "Do you wish to identify this escalator?" -> "Unit 7"
printdialog -> queue "back"
message 16 "Print Failed" "The report was not printed: The printer \"back\" refused the job: Not allowed to print."
> printer queue back
> menu mnuPrintForm
printdialog -> queue "back"
message 16 "Print Failed" "The window image was not printed: The printer \"back\" refused the job: Not allowed to print."
OUT
lpadmin -p back -u allow:all
[ "$(jobs_on back)" = 0 ] || fail "the refused jobs are in the queue"

# Something happens between the print dialog and the printing: the dialog is answered with the
# printer while it is there, then ACTION runs, then the page is printed, which must fail for REASON.
between_dialog_and_printing() {
    local name=$1 action=$2 reason=$3
    rm -f "$work/script"
    mkfifo "$work/script"
    "$driver" <"$work/script" >"$work/$name.out" &
    local run=$!
    exec 3>"$work/script"
    # The answer is given once the driver has shown the position of the focus that follows it.
    printf 'answer Unit 7\nprinter queue front\nfocus\n' >&3
    for _ in $(seq 300); do
        grep -q "^focus " "$work/$name.out" && break
        sleep 0.05
    done
    $action
    printf 'menu mnuPrintData\n' >&3
    exec 3>&-
    wait "$run" || fail "$name: the driver ended with status $?"
    expect_transcript "$name" "$work/$name.out" <<OUT
> answer Unit 7
> printer queue front
> focus
focus main txtProjImp 0 0
> menu mnuPrintData
prompt "Escalator ID" "Do you wish to identify this escalator?" -> "Unit 7"
printdialog -> queue "front"
message 16 "Print Failed" "The report was not printed: The printer \\"front\\" $reason"
OUT
}

remove_front() { lpadmin -x front; }
between_dialog_and_printing removed remove_front "does not exist any more."
lpadmin -p front -v file:///dev/null -E
[ "$(jobs_on front)" = 0 ] || fail "a queue set up again holds a job"

# Cancel in the print dialog: nothing printed, nothing said, the identification kept. Offscreen,
# and in the real print dialog, which lists this print service's printers.
cat >"$work/cancel.ks" <<'SCRIPT'
answer Unit 7
printer cancel
menu mnuPrintData
show txtID
SCRIPT
cat >"$work/cancel.expected" <<'OUT'
> answer Unit 7
> printer cancel
> menu mnuPrintData
prompt "Escalator ID" "Do you wish to identify this escalator?" -> "Unit 7"
printdialog -> cancel
> show txtID
field txtID "Unit 7"
OUT
jobs_before=$(lpstat -W all -o | wc -l)
"$driver" "$work/cancel.ks" >"$work/cancel.out"
expect_transcript cancel "$work/cancel.out" <"$work/cancel.expected"
if [ -n "$desktop" ]; then
    "$desktop" "$driver" --desktop "$work/cancel.ks" >"$work/cancel-desktop.out" ||
        fail "the real print dialog could not be cancelled"
    if grep -q "^SKIPPED:" "$work/cancel-desktop.out"; then
        echo "(the real print dialog was not tried: $(cat "$work/cancel-desktop.out"))"
    else
        expect_transcript cancel-desktop "$work/cancel-desktop.out" <"$work/cancel.expected"
    fi
fi
[ "$(lpstat -W all -o | wc -l)" = "$jobs_before" ] || fail "Cancel in the print dialog sent a job"

# The print service itself stops between the dialog and the printing.
stop_service() {
    kill "$scheduler"
    wait "$scheduler" 2>/dev/null || true
    scheduler=""
}
between_dialog_and_printing stopped stop_service \
    "could not be reached: the print service does not answer."

if [ "$status" != 0 ]; then
    echo "--- the print service's log"
    cat "$work/log/error_log" 2>/dev/null || true
fi
exit $status
