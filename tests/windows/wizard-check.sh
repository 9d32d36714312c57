#!/usr/bin/env bash
# The Windows wizard's test: unpacks the zip into a scratch folder with the demo project beside it
# as settings.dat, runs the wizard under Wine on a virtual display as a user would (Load
# Configuration, Next to the last page, Generate Code, OK), and compares its page byte for byte
# with the Linux CLI's page for the same project. Leaves a screenshot of the window beside the
# zip. Usage: wizard-check.sh ZIP
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
here="$root/tests/windows/wizard-check.sh"

# Runs inside the virtual display: drive DIR PAGE_NAME SCREENSHOT
if [ "${1:-}" = drive ]; then
    dir=$2 page=$3 shot=$4
    cd "$dir"
    wine affiliate-vantor.exe &
    window=$(timeout 120 xdotool search --sync --onlyvisible --name '^Affiliate Vantor' | head -n 1)
    sleep 2
    eval "$(xdotool getwindowgeometry --shell "$window")"
    # Clicks a point of the window's client area; the layout is fixed (see FMainLayout.cpp).
    click() {
        xdotool mousemove $((X + $1)) $((Y + $2)) click 1
        sleep 0.7
    }
    click 70 16 # Load Configuration
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        click 180 467 # Next
    done
    click 96 241 # Generate Code
    for _ in $(seq 60); do
        [ -s "Output/$page" ] && break
        sleep 0.5
    done
    sleep 2
    import -window root -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage "$shot"
    xdotool key Return # OK on "You have successfully saved your file as: ..."
    sleep 1
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
wineserver -k >/dev/null 2>&1 || true
shot="${zip%.zip}-under-wine.png"
xvfb-run -a -s "-screen 0 1024x768x24" "$here" drive "$dir" "$(basename "$linux_page")" "$shot"

windows_page="$dir/Output/$(basename "$linux_page")"
if ! cmp "$linux_page" "$windows_page"; then
    echo "The wizard under Wine did not make the Linux CLI's page (screenshot: $shot)" >&2
    exit 1
fi
echo "The wizard under Wine made the same page as the Linux CLI; screenshot: $shot"
