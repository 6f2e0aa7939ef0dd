#!/bin/bash
# Pictures of the program's windows on a virtual display, taken as the
# screenshot program hands them over (two stickers, a warning pop-up, both
# About windows, the catalog's preview, a hint, the editor, the main window
# over two stickers): scripts/take_screenshots.sh BUILD_DIR OUTPUT_DIR [DPI]
# BUILD_DIR is a Windows build (tools/screenshots.exe); each picture is
# OUTPUT_DIR/NAME.png, NAME as the program names it. With a DPI other than 96
# the pictures come from a Wine prefix of that DPI beside the build's own.
set -eu
build="$(realpath "$1")"
out="$(realpath -m "$2")"
dpi="${3:-96}"
mkdir -p "$out"
handover="$(mktemp -d)"
cd "$(dirname "$0")/.."
ZANDREL_VIRTUAL_DISPLAY=1
if [ "$dpi" = 96 ]; then
    . scripts/wine-session.sh "$build/wineprefix"
else
    . scripts/wine-session.sh "$build/wineprefix-$dpi"
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    restart_wine_services
fi
trap 'stop_wine_session; rm -rf "$handover"' EXIT

wine "$build/tools/screenshots.exe" "$handover" >"$handover/log" 2>&1 &
program_pid=$!
while kill -0 "$program_pid" 2>/dev/null; do
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
wait "$program_pid" || { cat "$handover/log"; exit 1; }
