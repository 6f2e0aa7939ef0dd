#!/bin/sh
# Runs a command in the Windows tests' Wine session: the tests' prefix
# (build/windows/wineprefix), its server and a virtual display. Build first
# (cmake --build --preset windows). Examples:
#   scripts/wine-test.sh wine build/windows/shell_tests.exe --gtest_filter='RemindAndFind*'
#   scripts/wine-test.sh ctest --preset windows -R high_dpi
set -eu
cd "$(dirname "$0")/.."
ZANDREL_VIRTUAL_DISPLAY=1
WINEPREFIX="$PWD/build/windows/wineprefix"
# Sourced from a function, which has no arguments: sourced here, it would
# take the command's first word for the prefix.
start_session() { . ./scripts/wine-session.sh; }
start_session
trap stop_wine_session EXIT
prepare_test_prefix
"$@"
