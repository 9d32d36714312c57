#!/usr/bin/env bash
# The Windows wizard's test: unpacks the zip into a scratch folder with the demo project beside it
# as settings.dat, runs the wizard under Wine on a virtual display as a user would (Load
# Configuration, Next to the last page, Generate Code, OK, Preview), and compares its page byte
# for byte with the Linux CLI's page for the same project, and the copy Preview hands to the
# browser with that page. Leaves a screenshot of the window beside the zip.
# Usage: wizard-check.sh ZIP
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
here="$root/tests/windows/wizard-check.sh"

# Runs inside the virtual display: drive DIR PAGE_NAME SCREENSHOT
if [ "${1:-}" = drive ]; then
    dir=$2 page=$3 shot=$4
    cd "$dir"
    wine affiliate-vantor.exe &

    # Prints the geometry of the shown window whose title matches, as shell variables; Wine
    # may replace a window while it starts, so the look-up is repeated until it holds.
    geometry_of() {
        for _ in $(seq 240); do
            local id
            id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
            [ -n "$id" ] && xdotool getwindowgeometry --shell "$id" 2>/dev/null && return 0
            sleep 0.5
        done
        echo "No window \"$1\" showed up" >&2
        return 1
    }
    shown() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
    # Clicks a point of the wizard's client area; the layout is fixed (see FMainLayout.cpp).
    click() {
        xdotool mousemove $((X + $1)) $((Y + $2)) click 1
        sleep 0.7
    }
    # Presses OK in the message box. Without a window manager Wine spends the first click on
    # a window that is not active on activating it, so it clicks until the box is gone.
    answer_box() {
        eval "$(geometry_of '^Information$' | sed 's/^/BOX_/')"
        for _ in 1 2 3 4 5; do
            xdotool mousemove $((BOX_X + BOX_WIDTH / 2)) $((BOX_Y + BOX_HEIGHT - 22)) click 1
            sleep 1
            shown '^Information$' || return 0
        done
        echo "The message box did not close" >&2
        return 1
    }

    eval "$(geometry_of '^Affiliate Vantor')"
    sleep 2
    eval "$(geometry_of '^Affiliate Vantor')"
    click 70 16 # Load Configuration
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        click 180 467 # Next
    done
    click 96 241 # Generate Code
    geometry_of '^Information$' >/dev/null
    sleep 1
    import -window root -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage "$shot"
    answer_box # "You have successfully saved your file as: ..."
    [ -s "Output/$page" ] || { echo "No Output/$page" >&2; exit 1; }
    click 216 241 # Preview: a copy of the page for the browser, where Windows has no web engine
    copy=
    for _ in $(seq 40); do
        copy=$(find "$WINEPREFIX/drive_c/users" -path '*/affiliate-vantor-preview-*/page-1.htm' |
            head -n 1)
        [ -n "$copy" ] && break
        sleep 0.5
    done
    [ -n "$copy" ] || { echo "Preview wrote no copy of the page" >&2; exit 1; }
    # The copy is the page in Output/ with a <base> that points there.
    sed 's|<base href="file:///[^"]*/Output/">||' "$copy" | cmp - "Output/$page" || exit 1
    wineserver -k || true
    exit 0
fi

zip=$(realpath "$1")
"$root/scripts/install-deps.sh" wine wine64 xvfb xauth xdotool imagemagick
scratch=$(mktemp -d)
export WINEPREFIX="$scratch/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$scratch"' EXIT

# The Linux CLI's page for the demo project.
linux_cli=${VANTOR_LINUX_CLI:-$root/build/app/affiliate-vantor-cli}
if [ ! -x "$linux_cli" ]; then
    cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$root/build" --target affiliate-vantor-cli -j2
fi
mkdir -p "$scratch/linux"
cp -r "$root/templates" "$scratch/linux/Templates"
cp "$root/examples/demo/settings.dat" "$scratch/linux/"
linux_page=$("$linux_cli" generate --app-dir "$scratch/linux")

# The wizard from the zip, with the same project, in a Wine prefix of its own.
cmake -E chdir "$scratch" cmake -E tar xf "$zip"
dir=$(find "$scratch" -mindepth 1 -maxdepth 1 -type d -name 'affiliate-vantor-*')
cp "$root/examples/demo/settings.dat" "$dir/"
# Made without a display, the prefix's desktop would keep the wizard's window from showing.
wineboot --init >/dev/null 2>&1
# The browser Preview starts is the zip's CLI, which refuses the address and ends: no browser of
# the machine is started.
wine reg add 'HKCR\http\shell\open\command' /ve \
    /d "\"$(winepath -w "$dir/affiliate-vantor-cli.exe")\" \"%1\"" /f >/dev/null 2>&1
wineserver -k >/dev/null 2>&1 || true
shot="${zip%.zip}-under-wine.png"
xvfb-run -a -s "-screen 0 1024x768x24" "$here" drive "$dir" "$(basename "$linux_page")" "$shot"

windows_page="$dir/Output/$(basename "$linux_page")"
if ! cmp "$linux_page" "$windows_page"; then
    echo "The wizard under Wine did not make the Linux CLI's page (screenshot: $shot)" >&2
    exit 1
fi
echo "The wizard under Wine made the same page as the Linux CLI; screenshot: $shot"
