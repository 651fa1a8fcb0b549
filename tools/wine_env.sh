# Shared by the window tests and the demo: a private X display and a Wine
# prefix that shows Japanese texts and draws its own windows. Sourced by
# tests/gui/run_gui_tests.sh and tools/gui-demo.sh.
# Wine's reg garbles Japanese value names under the C locale.
export LC_ALL=C.UTF-8
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
XVFB_PID=

# Starts Xvfb on a free display number and exports DISPLAY.
start_xvfb() {
    local fifo display
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    XVFB_PID=$!
    read -r -t 20 display <"$fifo" || true
    rm -f "$fifo"
    if [ -z "$display" ]; then
        echo "Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=":$display"
}

stop_xvfb() {
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    fi
}

# make_prefix DIR MANAGED: a fresh prefix in DIR. MANAGED=N lets Wine draw
# and focus its windows itself (no window manager needed, fast exit).
make_prefix() {
    local dir=$1 managed=$2
    rm -rf "$dir"
    mkdir -p "$dir"
    export WINEPREFIX=$dir
    # The display must be known before the prefix's first process.
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    "$WINESERVER" -w
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    local link='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$managed" /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ ゴシック' /t REG_SZ /d IPAGothic /f >/dev/null 2>&1
    "$WINE" reg add "$link" /v Tahoma /t REG_MULTI_SZ /d 'ipag.ttf,IPAGothic' /f >/dev/null 2>&1
    "$WINE" reg add "$link" /v 'Tahoma Bold' /t REG_MULTI_SZ /d 'ipag.ttf,IPAGothic' /f >/dev/null 2>&1
    "$WINESERVER" -w
}
