#!/bin/sh
# Builds both builds and runs every test: the native core tests (with
# sanitizers), the fuzzers for a short while, and the Windows build's tests
# under Wine on a virtual display.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

cmake --preset native
cmake --build --preset native
ctest --preset native

FUZZ_SECONDS="${ZANDREL_FUZZ_SECONDS:-30}"
FUZZ_LIMITS="-max_total_time=$FUZZ_SECONDS -rss_limit_mb=1024 -malloc_limit_mb=64 -timeout=10"
mkdir -p build/native/fuzz/corpus build/native/fuzz/corpus_plain_text
build/native/fuzz/fuzz_loader $FUZZ_LIMITS build/native/fuzz/corpus
build/native/fuzz/fuzz_plain_text $FUZZ_LIMITS -dict=fuzz/rtf.dict \
    build/native/fuzz/corpus_plain_text

cmake --preset windows
cmake --build --preset windows
ZANDREL_VIRTUAL_DISPLAY=1
WINEPREFIX="$PWD/build/windows/wineprefix"
. ./scripts/wine-session.sh
trap stop_wine_session EXIT
# Without a window manager Wine waits for one (about 2 s) whenever a window
# with a caption is hidden or destroyed; unmanaged windows do not wait.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# A test program that crashes fails at once instead of waiting on Wine's
# crash dialog until ctest's timeout.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
# The services (the desktop and its tray) read these settings only when they
# start, and in a new prefix they started before them.
restart_wine_services
ctest --preset windows
