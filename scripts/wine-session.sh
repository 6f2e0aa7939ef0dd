# Sourced by the scripts that run Windows programs: a private Wine prefix, a
# persistent wine server and, when there is no display, a virtual one.
# Usage: . scripts/wine-session.sh PREFIX_DIR (bash), or set WINEPREFIX and
# source it without arguments (POSIX sh passes none to a sourced script).
export WINEPREFIX="${1:-${WINEPREFIX:?no Wine prefix given}}"
export WINEARCH=win32
export WINEDEBUG=-all
# Wine loads its own mapi32 even when a program has one beside it, unless
# told to prefer that one (the mail tests' stand-in); programs without one
# still get Wine's. Every shell link a program saves makes Wine start
# winemenubuilder, which reads the link from a process of its own for the
# desktop's menus, at a moment of its own: a test that deletes or saves the
# link again meanwhile fails now and then. That process is not started.
export WINEDLLOVERRIDES="mscoree,mshtml=;mapi32=n,b;winemenubuilder.exe=d"

ZANDREL_XVFB_PID=
start_virtual_display() {
    for n in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        ZANDREL_XVFB_PID=$!
        for _ in $(seq 1 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            sleep 0.1
        done
        export DISPLAY=":$n"
        return 0
    done
    echo "no free display number for Xvfb" >&2
    return 1
}

stop_wine_session() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "$ZANDREL_XVFB_PID" ] && kill "$ZANDREL_XVFB_PID" 2>/dev/null || true
}

if [ -z "${DISPLAY:-}" ] || [ "${ZANDREL_VIRTUAL_DISPLAY:-0}" = 1 ]; then
    start_virtual_display
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
fi
# Windows' Arial, Times New Roman and Courier New are drawn with the
# Liberation fonts, which have the same metrics (fonts-liberation).
if ! grep -q 'Liberation Sans' "$WINEPREFIX/user.reg" 2>/dev/null; then
    for font in 'Arial=Liberation Sans' 'Times New Roman=Liberation Serif' \
        'Courier New=Liberation Mono'; do
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${font%%=*}" \
            /d "${font#*=}" /f >/dev/null 2>&1
    done
fi
start_wine_services() {
    # A server already running for this prefix makes this fail; that is fine.
    wineserver -p >/dev/null 2>&1 || true
    # Start the prefix's background services now, with their output going
    # nowhere: started by the caller's first program they would inherit its
    # output pipe and hold it open (ctest would wait on it for ever).
    wine cmd /c exit >/dev/null 2>&1 || true
}

# After changing the prefix's settings: the services (the desktop and its
# tray among them) read them only when they start.
restart_wine_services() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    start_wine_services
}

start_wine_services

# The settings of the tests' prefix.
prepare_test_prefix() {
    # Without a window manager Wine waits for one (about 2 s) whenever a window
    # with a caption is hidden or destroyed; unmanaged windows do not wait.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # A test program that crashes fails at once instead of waiting on Wine's
    # crash dialog until ctest's timeout.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    # The services (the desktop and its tray among them) read these settings
    # only when they start, and in a new prefix they started before them.
    restart_wine_services
}
