#!/bin/sh
# Installs the Debian packages the build and the tests need. Does nothing when
# everything is there; needs root otherwise.
set -eu

need_packages() {
    for tool in cmake ninja clang++-14 i686-w64-mingw32-g++-posix i686-w64-mingw32-windres \
        wine xvfb-run xauth xdotool import lpadmin pdfinfo pdftotext python3; do
        command -v "$tool" >/dev/null 2>&1 || return 0
    done
    [ -f /usr/src/googletest/CMakeLists.txt ] || return 0
    [ -f /usr/include/gtest/gtest.h ] || return 0
    [ -f /usr/include/nlohmann/json.hpp ] || return 0
    ls /usr/lib/llvm-14/lib/clang/14*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 || return 0
    [ -e /usr/lib/wine/i386-windows ] || [ -e /usr/lib/i386-linux-gnu/wine ] || return 0
    [ -x /usr/sbin/cupsd ] || return 0
    [ -f /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd ] || return 0
    # Wine finds no printer without the 32-bit CUPS client library.
    ls /usr/lib/i386-linux-gnu/libcups.so.2 >/dev/null 2>&1 || return 0
    # Metric-compatible stand-ins for Arial, Times New Roman and Courier New.
    [ -f /usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf ] || return 0
    return 1
}

if ! need_packages; then
    exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: packages are missing and this is not root; see README.md" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
dpkg --add-architecture i386
apt-get update -q
apt-get install -y -q --no-install-recommends \
    cmake ninja-build g++ clang-14 libclang-rt-14-dev libgtest-dev googletest \
    nlohmann-json3-dev g++-mingw-w64-i686 wine wine32:i386 wine64 \
    xvfb xauth xdotool imagemagick \
    cups printer-driver-cups-pdf poppler-utils libcups2:i386 fonts-liberation python3
