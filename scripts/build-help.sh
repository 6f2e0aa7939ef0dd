#!/bin/sh
# Compiles the help's HTML sources in help/ into help/zandrel.chm and records
# beside it, in help/zandrel.chm.sha256, the checksum of the sources and of
# the compiled file. Needs chmcmd (Debian's fp-utils-3.2.2); the everyday
# build does not: it copies the committed zandrel.chm.
#
#   scripts/build-help.sh          rebuild the help file
#   scripts/build-help.sh --check  fail when the help file is older than its sources
set -eu
help="$(cd "$(dirname "$0")/../help" && pwd)"
record="$help/zandrel.chm.sha256"

# One line per source and one for the compiled file, in a fixed order.
checksums() {
    cd "$help"
    sha256sum $(ls | grep -v -e '^zandrel\.chm$' -e '^zandrel\.chm\.sha256$' | LC_ALL=C sort) zandrel.chm
}

if [ "${1:-}" = "--check" ]; then
    if ! checksums | diff "$record" - >&2; then
        echo "build-help: help/zandrel.chm does not match its sources; run scripts/build-help.sh" >&2
        exit 1
    fi
    exit 0
fi

compiler="$(command -v chmcmd-3.2.2 || command -v chmcmd || true)"
if [ -z "$compiler" ]; then
    echo "build-help: chmcmd not found; install fp-utils-3.2.2" >&2
    exit 1
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$help"/* "$work"/
rm -f "$work/zandrel.chm" "$work/zandrel.chm.sha256"
(cd "$work" && "$compiler" zandrel.hhp >/dev/null)
cp "$work/zandrel.chm" "$help/zandrel.chm"
checksums >"$record"
echo "$help/zandrel.chm"
