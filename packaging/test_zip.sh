#!/bin/bash
# test_zip.sh BUILD_DIR ZIP OBJCOPY: builds the zip, checks what it holds,
# unpacks it into a folder with blanks in its name and starts zandrel.exe from
# there under Wine (inside a session of scripts/wine-session.sh), until its
# main window exists; then ends it.
set -eu
build="$1" zip="$2" objcopy="$3"
cmake --build "$build" --target package-zip >/dev/null

listing="$(cmake -E tar tf "$zip" | sort | tr '\n' ' ')"
[ "$listing" = "README.txt zandrel-data.exe zandrel.chm zandrel.exe " ] ||
    { echo "unexpected contents: $listing" >&2; exit 1; }
symbols="${zip%.zip}-symbols"
[ -s "$symbols/zandrel.exe.debug" ] && [ -s "$symbols/zandrel-data.exe.debug" ] ||
    { echo "no symbol files in $symbols" >&2; exit 1; }

work="$(mktemp -d)"
folder="$work/Zandrel folder"
program_pid=""
cleanup() {
    if [ -n "$program_pid" ]; then
        kill "$program_pid" 2>/dev/null || true
        wait "$program_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
mkdir "$folder"
(cd "$folder" && cmake -E tar xf "$zip")

if "${objcopy%objcopy}objdump" -h "$folder/zandrel.exe" | grep -q ' \.debug_'; then
    echo "zandrel.exe in the zip still has debug information" >&2
    exit 1
fi
size=$(stat -c %s "$folder/zandrel.exe")
[ "$size" -lt 4000000 ] || { echo "zandrel.exe is $size bytes" >&2; exit 1; }

wine "$folder/zandrel.exe" >/dev/null 2>&1 &
program_pid=$!
for _ in $(seq 200); do
    if xdotool search --name '^Zandrel$' >/dev/null 2>&1; then
        kill -0 "$program_pid" 2>/dev/null || { echo "zandrel.exe ended" >&2; exit 1; }
        echo "zandrel.exe ($size bytes) runs from the zip"
        exit 0
    fi
    kill -0 "$program_pid" 2>/dev/null || { echo "zandrel.exe ended early" >&2; exit 1; }
    sleep 0.1
done
echo "no main window of zandrel.exe within 20 s" >&2
exit 1
