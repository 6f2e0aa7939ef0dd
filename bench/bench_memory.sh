#!/bin/bash
# Memory at rest under Wine: the private memory of zandrel.exe once its
# start-up has settled, with 0, 200 and 1,000 started notes, against a bare
# window program. Wine 8 tells a program nothing of its private bytes
# (GetProcessMemoryInfo gives 0), so they are read from /proc: RssAnon, the
# process's resident anonymous memory, is what Wine counts as its private
# usage. Each start is a fresh process in a prefix of its own. Not a test.
#
#   bench/bench_memory.sh [BUILD_DIR]      (default build/windows, built)
set -eu
cd "$(dirname "$0")/.."
build="${1:-build/windows}"
. ./scripts/wine-session.sh "$PWD/$build/bench-prefix"
trap stop_wine_session EXIT
work=$(mktemp -d)
trap 'stop_wine_session; rm -rf "$work"' EXIT

anon() { awk '/^RssAnon:/ { print $2 }' "/proc/$1/status"; }
cpu() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# The process's private kB once it and its processor time have not changed
# for 4 s (at most 4 minutes).
settled() {
    local last=-1 same=0 now
    for _ in $(seq 1 480); do
        sleep 0.5
        now="$(anon "$1") $(cpu "$1")"
        if [ "$now" = "$last" ]; then
            same=$((same + 1))
            [ "$same" -ge 8 ] && break
        else
            same=0
        fi
        last=$now
    done
    echo "${last% *}"
}

wine "$build/bench/bench_memory.exe" --bare >/dev/null 2>&1 &
bare_pid=$!
bare=$(settled $bare_pid)
kill $bare_pid
awk -v kb="$bare" 'BEGIN { printf "bare window program:     %6.1f MB\n", kb / 1024 }'

for notes in 0 200 1000; do
    folder="$work/$notes"
    mkdir -p "$folder"
    cp "$build/mainwindow/zandrel.exe" "$folder/"
    wine "$build/bench/bench_memory.exe" --store "$(winepath -w "$folder")" $notes
    wine "$folder/zandrel.exe" >/dev/null 2>&1 &
    pid=$!
    kb=$(settled $pid)
    kill $pid
    wait $pid 2>/dev/null || true
    awk -v n="$notes" -v kb="$kb" -v bare="$bare" \
        'BEGIN { printf "zandrel.exe, %4d notes: %6.1f MB  (%.1f x bare)\n", n, kb / 1024, kb / bare }'
done
