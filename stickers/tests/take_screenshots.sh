#!/bin/bash
# Pictures of two stickers and a warning pop-up on a virtual display:
# stickers/tests/take_screenshots.sh BUILD_DIR OUTPUT_DIR
# BUILD_DIR is a Windows build (shell_tests.exe); the pictures are
# OUTPUT_DIR/stickers.png and OUTPUT_DIR/popup.png.
set -eu
build="$(realpath "$1")"
out="$(realpath -m "$2")"
mkdir -p "$out"
handover="$(mktemp -d)"
cd "$(dirname "$0")/../.."
ZANDREL_VIRTUAL_DISPLAY=1
. scripts/wine-session.sh "$build/wineprefix"
trap 'stop_wine_session; rm -rf "$handover"' EXIT

ZANDREL_SCREENSHOT_DIR="$handover" wine "$build/shell_tests.exe" \
    --gtest_filter=ScreenshotTest.* >"$handover/log" 2>&1 &
test_pid=$!
for name in stickers popup; do
    for _ in $(seq 1 600); do
        [ -e "$handover/$name.ready" ] && break
        kill -0 "$test_pid" 2>/dev/null || { cat "$handover/log"; exit 1; }
        sleep 0.1
    done
    import -window root "$out/$name.png"
    touch "$handover/$name.taken"
done
wait "$test_pid"
