#!/bin/bash
# Pictures of the program's windows on a virtual display, taken as the
# screenshot tests hand them over (two stickers, a warning pop-up, a hint,
# both About windows):
# scripts/take_screenshots.sh BUILD_DIR OUTPUT_DIR
# BUILD_DIR is a Windows build (shell_tests.exe); each picture is
# OUTPUT_DIR/NAME.png, NAME as the test names it.
set -eu
build="$(realpath "$1")"
out="$(realpath -m "$2")"
mkdir -p "$out"
handover="$(mktemp -d)"
cd "$(dirname "$0")/.."
ZANDREL_VIRTUAL_DISPLAY=1
. scripts/wine-session.sh "$build/wineprefix"
trap 'stop_wine_session; rm -rf "$handover"' EXIT

ZANDREL_SCREENSHOT_DIR="$handover" wine "$build/shell_tests.exe" \
    --gtest_filter='*Screenshot*' >"$handover/log" 2>&1 &
test_pid=$!
while kill -0 "$test_pid" 2>/dev/null; do
    for ready in "$handover"/*.ready; do
        [ -e "$ready" ] || continue
        name="$(basename "$ready" .ready)"
        [ -e "$handover/$name.taken" ] && continue
        import -window root "$out/$name.png"
        touch "$handover/$name.taken"
        echo "$out/$name.png"
    done
    sleep 0.1
done
wait "$test_pid" || { cat "$handover/log"; exit 1; }
