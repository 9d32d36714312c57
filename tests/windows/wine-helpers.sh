# Shared by the Windows checks; sourced, not run.

fail() {
    echo "$*" >&2
    exit 1
}

# wine_prefix: a scratch Wine prefix in a new folder $scratch, removed on exit, with the check's
# tools in $tools (C:\check): a browser that notes the addresses it is given in $BROWSER_LOG, and
# file-version.exe, a reader of a program's details as Explorer's Properties show them.
wine_prefix() {
    "$root/scripts/install-deps.sh" wine wine64 xvfb xauth xdotool imagemagick \
        g++-mingw-w64-x86-64-posix
    scratch=$(mktemp -d)
    # No menu entries of the prefix's shortcuts in the real desktop's menu.
    export WINEPREFIX="$scratch/wineprefix" WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$scratch"' EXIT
    # Made without a display, the prefix's desktop would keep the programs' windows from showing.
    wineboot --init >/dev/null 2>&1
    wineserver -w
    tools="$WINEPREFIX/drive_c/check"
    mkdir -p "$tools"
    for tool in record-browser file-version; do
        x86_64-w64-mingw32-g++-posix -std=c++20 -municode -O1 -static -o "$tools/$tool.exe" \
            "$root/tests/windows/$tool.cpp" -lversion
    done
    export BROWSER_LOG="$tools/browser-addresses.txt"
    wine reg add 'HKCR\http\shell\open\command' /ve /d '"C:\check\record-browser.exe" "%1"' \
        /f >/dev/null
    wineserver -w
}

# The user's %APPDATA% as a Linux path.
wine_appdata() {
    winepath -u "$(wine cmd /c echo %APPDATA% | tr -d '\r')"
}

# Inside the virtual display.

# Prints the geometry of the shown window whose title matches, as shell variables; Wine may
# replace a window while it starts, so the look-up is repeated until it holds.
geometry_of() {
    for _ in $(seq 240); do
        local id
        # xdotool fails while no window matches.
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
        [ -n "$id" ] && xdotool getwindowgeometry --shell "$id" 2>/dev/null && return 0
        sleep 0.5
    done
    echo "No window \"$1\" showed up" >&2
    return 1
}

shown() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }

# Presses OK in the message box titled TITLE. Without a window manager Wine spends the first
# click on a window that is not active on activating it, so it clicks until the box is gone.
answer_box() {
    eval "$(geometry_of "^$1\$" | sed 's/^/BOX_/')"
    for _ in 1 2 3 4 5; do
        xdotool mousemove $((BOX_X + BOX_WIDTH / 2)) $((BOX_Y + BOX_HEIGHT - 22)) click 1
        sleep 1
        shown "^$1\$" || return 0
    done
    echo "The message box \"$1\" did not close" >&2
    return 1
}
