#!/bin/bash
# The tests that need a system at 144 DPI (150 %): a Wine prefix of their own
# whose LogPixels is 144, so that the other tests' prefix stays at 96 DPI.
# Usage: scripts/high_dpi_test.sh SHELL_TESTS_EXE [PREFIX_DIR] (with DISPLAY
# set, as ctest runs it from scripts/test.sh). The tests named HighDpi* run
# there.
set -eu
exe="$(realpath "$1")"
prefix="$(realpath -m "${2:-$(dirname "$exe")/wineprefix-144}")"
cd "$(dirname "$0")/.."

. scripts/wine-session.sh "$prefix"
trap stop_wine_session EXIT
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
# Programs read the DPI when they start, the services when they start too.
restart_wine_services
wine "$exe" --gtest_filter='HighDpi*'
