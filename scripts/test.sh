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
prepare_test_prefix
ctest --preset windows
