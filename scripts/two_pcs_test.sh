#!/bin/bash
# Two computers on one synced folder: two Wine prefixes, each with its own
# wine server, run the test TwoPcsChild at the same time over one shared
# folder, each adding a note of its own; it passes when both pass.
# Usage: scripts/two_pcs_test.sh SHELL_TESTS_EXE [WORK_DIR] (with DISPLAY
# set, as ctest runs it from scripts/test.sh; both use that display).
set -eu
exe="$(realpath "$1")"
work="$(realpath -m "${2:-$(dirname "$exe")/two-pcs}")"
cd "$(dirname "$0")/.."
shared="$work/shared"
rm -rf "$shared"
mkdir -p "$shared"

# Runs "$2..." in computer $1's Wine session, its output in its log.
on_pc() {
    local pc="$1"
    shift
    (
        . scripts/wine-session.sh "$work/pc$pc"
        trap stop_wine_session EXIT
        "$@"
    ) >>"$work/pc$pc.log" 2>&1
}

run_child() {
    ZANDREL_TWO_PCS_FOLDER="Z:${shared//\//\\}" ZANDREL_TWO_PCS_PC="$1" \
        wine "$exe" --gtest_filter='TwoPcsChild.*'
}

# A new prefix takes a while to make: both are ready before either starts.
rm -f "$work"/pc?.log
on_pc 1 prepare_test_prefix & first=$!
on_pc 2 prepare_test_prefix & second=$!
wait $first
wait $second

on_pc 1 run_child 1 & first=$!
on_pc 2 run_child 2 & second=$!
status=0
wait $first || status=1
wait $second || status=1
for pc in 1 2; do
    echo "--- PC $pc"
    cat "$work/pc$pc.log"
    # A child that found no folder skips, and that must not pass.
    grep -q '^\[       OK \] TwoPcsChild' "$work/pc$pc.log" || status=1
done
exit $status
