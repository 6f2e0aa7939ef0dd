# Sourced by the scripts that print through CUPS' PDF printer: the
# scheduler (started here when it is not running, and then ended by
# stop_scheduler), PDF printers, and the PDFs of their jobs.
for tool in lpadmin lpstat lpoptions pdfinfo pdftotext python3; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
done
[ -x /usr/sbin/cupsd ] || { echo "cupsd is missing (scripts/install-deps.sh)" >&2; exit 1; }

ZANDREL_CUPSD_PID=
scheduler_running() { lpstat -r 2>/dev/null | grep -q 'scheduler is running'; }

# No init system here: the scheduler runs in the foreground of the caller.
start_scheduler() {
    scheduler_running && return 0
    /usr/sbin/cupsd -f &
    ZANDREL_CUPSD_PID=$!
    for _ in $(seq 1 100); do scheduler_running && return 0; sleep 0.1; done
    echo "the CUPS scheduler did not start" >&2
    return 1
}

stop_scheduler() {
    [ -n "$ZANDREL_CUPSD_PID" ] && kill "$ZANDREL_CUPSD_PID" 2>/dev/null
    return 0
}

# add_pdf_printer NAME PAPER: a PDF printer whose default paper is PAPER.
add_pdf_printer() {
    lpstat -p "$1" >/dev/null 2>&1 ||
        lpadmin -p "$1" -v cups-pdf:/ -E -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
    lpadmin -p "$1" -o PageSize="$2" 2>/dev/null
}

# The number of the newest job the scheduler knows, 0 for none.
last_job_id() {
    lpstat -W all -o 2>/dev/null | awk '{ sub(/.*-/, "", $1); if ($1 + 0 > n) n = $1 + 0 } END { print n + 0 }'
}

pdf_folder() {
    local folder
    folder="$(sed -n 's/^Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf | head -1)"
    folder="${folder:-\${HOME\}/PDF}"
    folder="${folder//\$\{HOME\}/$HOME}"
    echo "${folder//\$\{USER\}/$(id -un)}"
}

# wait_for_pdfs QUEUE FIRST_JOB COUNT: the PDFs of the first COUNT jobs of
# QUEUE numbered FIRST_JOB or later, once complete (the spooler writes them a
# few seconds after the job).
wait_for_pdfs() {
    local queue="$1" first="$2" count="$3" jobs= pdf last size
    for _ in $(seq 1 600); do
        jobs="$(lpstat -W completed -o "$queue" 2>/dev/null |
            awk -v first="$first" '{ sub(/.*-/, "", $1); if ($1 + 0 >= first + 0) print $1 }' |
            sort -n | head -"$count")"
        [ "$(echo "$jobs" | grep -c .)" -ge "$count" ] && break
        sleep 0.1
    done
    for job in $jobs; do
        pdf=
        last=-1
        for _ in $(seq 1 300); do
            pdf="$(ls "$(pdf_folder)"/*job_"$job".pdf 2>/dev/null | head -1)"
            if [ -n "$pdf" ]; then
                size="$(stat -c %s "$pdf")"
                [ "$size" = "$last" ] && pdfinfo "$pdf" >/dev/null 2>&1 && break
                last="$size"
            fi
            sleep 0.1
        done
        [ -n "$pdf" ] || { echo "no PDF of job $job on $queue" >&2; return 1; }
        echo "$pdf"
    done
}
