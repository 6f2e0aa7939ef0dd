#!/bin/bash
# A real print of the catalog: the CUPS scheduler with its PDF printer as the
# default printer, the catalog of four messages (the last one's text, taller
# than a page, starting on the second page and going on on the third) printed
# twice from one
# preview through the program's print path (shell_tests.exe under Wine), then
# both PDFs read back: A4, three pages, the messages' texts in order.
# Usage: scripts/print_test.sh SHELL_TESTS_EXE (inside a Wine session, as
# ctest runs it from scripts/test.sh).
set -eu
exe="$1"
printer=ZandrelPDF

for tool in lpadmin lpstat pdfinfo pdftotext; do
    command -v "$tool" >/dev/null || { echo "print_test: $tool is missing (scripts/install-deps.sh)"; exit 1; }
done
[ -x /usr/sbin/cupsd ] || { echo "print_test: cupsd is missing"; exit 1; }

# No init system here: the scheduler is started by hand when it is not running.
# A scheduler started here runs in the foreground of this script and ends with it.
scheduler_running() { lpstat -r 2>/dev/null | grep -q 'scheduler is running'; }
cupsd_pid=
stop_scheduler() { [ -n "$cupsd_pid" ] && kill "$cupsd_pid" 2>/dev/null; return 0; }
trap stop_scheduler EXIT
if ! scheduler_running; then
    /usr/sbin/cupsd -f &
    cupsd_pid=$!
    for _ in $(seq 1 100); do scheduler_running && break; sleep 0.1; done
fi
if ! lpstat -p "$printer" >/dev/null 2>&1; then
    lpadmin -p "$printer" -v cups-pdf:/ -E -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
fi
lpoptions -d "$printer" >/dev/null

out_dir="$(sed -n 's/^Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf | head -1)"
out_dir="${out_dir:-\${HOME\}/PDF}"
out_dir="${out_dir//\$\{HOME\}/$HOME}"
out_dir="${out_dir//\$\{USER\}/$(id -un)}"
mkdir -p "$out_dir"
before="$(mktemp)"
trap 'rm -f "$before"; stop_scheduler' EXIT
ls "$out_dir" >"$before" 2>/dev/null || true

log="$(mktemp)"
trap 'rm -f "$before" "$log"; stop_scheduler' EXIT
rc=0
ZANDREL_PRINT_TEST=1 wine "$exe" --gtest_filter='CatalogPrintTest.*' >"$log" 2>&1 || rc=$?
grep -v -e '^ALSA' -e 'snd_' "$log" || true
if [ "$rc" != 0 ] || ! grep -q '^\[  PASSED  \] 1 test' "$log"; then
    echo "print_test: the printing test program failed (status $rc)"
    exit 1
fi

# The spooler writes the PDFs a few seconds later: poll for two new files.
new_pdfs() { ls -t "$out_dir"/*.pdf 2>/dev/null | grep -v -x -F -f <(sed "s#^#$out_dir/#" "$before") || true; }
for _ in $(seq 1 300); do
    [ "$(new_pdfs | wc -l)" -ge 2 ] && break
    sleep 0.2
done
pdfs="$(new_pdfs)"
count="$(printf '%s\n' "$pdfs" | grep -c . || true)"
if [ "$count" -lt 2 ]; then
    echo "print_test: expected two printed PDFs in $out_dir, found $count"
    lpstat -W completed -o || true
    exit 1
fi
# Both files complete (the spooler may still be writing the newest one).
sleep_until_stable() {
    local last=-1 size
    for _ in $(seq 1 50); do
        size="$(stat -c %s "$1")"
        [ "$size" = "$last" ] && pdfinfo "$1" >/dev/null 2>&1 && return 0
        last="$size"; sleep 0.2
    done
    return 1
}
status=0
for pdf in $(printf '%s\n' "$pdfs" | head -2); do
    sleep_until_stable "$pdf" || { echo "print_test: $pdf never completed"; exit 1; }
    info="$(pdfinfo "$pdf")"
    pages="$(printf '%s\n' "$info" | sed -n 's/^Pages:[[:space:]]*//p')"
    size="$(printf '%s\n' "$info" | sed -n 's/^Page size:[[:space:]]*//p')"
    echo "print_test: $pdf: $pages page(s), $size"
    case "$size" in
        *"595"*"842"*) ;;
        *) echo "print_test: not A4: $size"; status=1 ;;
    esac
    [ "$pages" = 3 ] || { echo "print_test: expected 3 pages, got $pages"; status=1; }
    text="$(pdftotext -layout "$pdf" -)"
    expected=("Zandrel" "Report of context" "Created:"
              "Starting date:" "Text of memo" "Alpha catalog message"
              "Starting date:" "Text of memo" "Bravo catalog message"
              "Starting date:" "Text of memo" "Charlie catalog message"
              "Printed at" "Page num.1"
              "Starting date:" "Text of memo" "Delta line 0" "Delta line 1"
              "Printed at" "Page num.2"
              "Delta line 68" "Delta line 69" "Printed at" "Page num.3")
    rest="$text"
    for phrase in "${expected[@]}"; do
        case "$rest" in
            *"$phrase"*) rest="${rest#*"$phrase"}" ;;
            *) echo "print_test: '$phrase' missing or out of order in $pdf"; status=1 ;;
        esac
    done
    if printf '%s\n' "$text" | grep -q 'nextWarn (+0)'; then :; else
        echo "print_test: no 'nextWarn (+0)' in $pdf"; status=1
    fi
done
[ "$status" = 0 ] && echo "print_test: both prints hold every message in order"
exit "$status"
