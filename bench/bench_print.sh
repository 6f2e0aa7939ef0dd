#!/bin/bash
# Printing the catalog of N messages (default 200) on CUPS' PDF printer under
# Wine, from OK to the finished PDF, and where the time goes: producing the
# pages, drawing them into the printer driver (to the end of the document),
# and the spooler (Wine's PostScript through CUPS and Ghostscript to the PDF,
# up to the PDF's last write).
# Usage, inside a Wine session as scripts/test.sh sets one up:
#   bench/bench_print.sh build/windows/bench/bench_report.exe [N]
set -eu
exe="$1"
count="${2:-200}"
. "$(cd "$(dirname "$0")/../scripts" && pwd)/cups-session.sh"
trap stop_scheduler EXIT
start_scheduler
add_pdf_printer ZandrelPDF A4
lpoptions -d ZandrelPDF >/dev/null
first_job=$(($(last_job_id) + 1))
figures="$(wine "$exe" print "$count" 2>/dev/null | tr -d '\r')"
pdf="$(wait_for_pdfs ZandrelPDF "$first_job" 1)"
value() { printf '%s\n' "$figures" | sed -n "s/^$1|//p"; }
finished="$(stat -c '%.3Y' "$pdf" | tr -d .)"
ok="$(value 'ok unix ms')"
ended="$(value 'end of document unix ms')"
echo "| messages | pages | produce | OK to end of document (processor) | spooler to the PDF | OK to finished PDF | load |"
echo "|---:|---:|---:|---:|---:|---:|---:|"
echo "| $count | $(value pages) | $(value 'produce ms') ms | $((${ended%.*} - ${ok%.*})) ms" \
    "($(value 'print processor ms') ms) | $((finished - ${ended%.*})) ms |" \
    "$((finished - ${ok%.*})) ms | $(cut -d' ' -f1 /proc/loadavg) |"
