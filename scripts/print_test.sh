#!/bin/bash
# A real print of the catalog: the CUPS scheduler with two PDF printers,
# ZandrelPDF (A4, the default printer) and ZandrelLetter (Letter by default);
# the catalog of notes in every format printed twice from one preview and once
# on ZandrelLetter through the program's print path (shell_tests.exe under
# Wine), then each PDF read back with pdftotext (check_printed_catalog.py):
# A4, the footer on every page, each note's words inside its frame, no word
# over another.
# Usage: scripts/print_test.sh SHELL_TESTS_EXE (inside a Wine session, as
# ctest runs it from scripts/test.sh).
set -eu
exe="$1"
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/cups-session.sh"

log="$(mktemp)"
trap 'rm -f "$log"; stop_scheduler' EXIT
start_scheduler
add_pdf_printer ZandrelPDF A4
add_pdf_printer ZandrelLetter Letter
lpoptions -d ZandrelPDF >/dev/null
first_job=$(($(last_job_id) + 1))

rc=0
ZANDREL_PRINT_TEST=1 wine "$exe" --gtest_filter='CatalogPrintTest.*' >"$log" 2>&1 || rc=$?
grep -v -e '^ALSA' -e 'snd_' -e '^note words|' "$log" || true
if [ "$rc" != 0 ] || ! grep -q '^\[  PASSED  \] 2 tests' "$log"; then
    echo "print_test: the printing test program failed (status $rc)"
    exit 1
fi

pdfs="$(wait_for_pdfs ZandrelPDF "$first_job" 2; wait_for_pdfs ZandrelLetter "$first_job" 1)" || true
if [ "$(echo "$pdfs" | grep -c .)" != 3 ]; then
    echo "print_test: expected three printed PDFs, found: $pdfs"
    lpstat -W completed -o || true
    exit 1
fi
status=0
for pdf in $pdfs; do
    echo "print_test: $pdf: $(pdfinfo "$pdf" | sed -n 's/^Pages:[[:space:]]*//p') page(s)"
    python3 "$here/check_printed_catalog.py" "$pdf" "$log" || status=1
done
[ "$status" = 0 ] && echo "print_test: every print holds every note as written, on A4 with its footers"
exit "$status"
