#!/bin/bash
# Builds zandrel.exe and runs it under Wine. With a display ($DISPLAY set) it
# runs there until the tray menu's Shutdown. Without one (or with
# ZANDREL_VIRTUAL_DISPLAY=1) it runs on a virtual display, opens the main
# window from the tray icon, saves a screenshot, prints its path and ends.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

cmake --preset windows >/dev/null
cmake --build --preset windows --target zandrel
EXE="$PWD/build/windows/mainwindow/zandrel.exe"
SHOT="$PWD/build/windows/screenshot.png"

if [ -z "${DISPLAY:-}" ]; then
    ZANDREL_VIRTUAL_DISPLAY=1
fi
# The session's wine server may already be up from an earlier run.
set +e
. ./scripts/wine-session.sh "$PWD/build/windows/run-prefix"
set -e
trap stop_wine_session EXIT

if [ "${ZANDREL_VIRTUAL_DISPLAY:-0}" != 1 ]; then
    wine "$EXE"
    exit 0
fi

# A virtual display has no window manager: Wine draws the window frames.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
wine "$EXE" >/dev/null 2>&1 &
# Wine draws its notification area as a small window of its own; the
# program's icon is the first one in it.
tray=
for _ in $(seq 1 100); do
    tray=$(xdotool search --onlyvisible --name 'Wine System Tray' 2>/dev/null | head -n 1 || true)
    [ -n "$tray" ] && break
    sleep 0.1
done
if [ -z "$tray" ]; then
    echo "run: the tray icon did not appear" >&2
    exit 1
fi
sleep 3
eval "$(xdotool getwindowgeometry --shell "$tray")"
# The icon sits at the bottom-left of the tray window, under Wine's caption
# when Wine draws the frame.
xdotool mousemove $((X + 12)) $((Y + HEIGHT - 12)) click --repeat 2 --delay 80 1
for _ in $(seq 1 50); do
    xdotool search --onlyvisible --name '^Zandrel$' >/dev/null 2>&1 && break
    sleep 0.1
done
sleep 1
import -window root "$SHOT"
echo "$SHOT"
