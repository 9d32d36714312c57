#!/usr/bin/env bash
# The Windows wizard's test, in a scratch Wine prefix on a virtual display. Usage:
#   wizard-check.sh ZIP SETUP
# 1. The portable copy: the zip unpacked with the demo project beside the program as
#    settings.dat, run as a user would (Load Configuration, Next to the last page, Generate Code,
#    OK, Preview); its page must be the Linux CLI's byte for byte, and Preview must hand the
#    browser a copy of it.
# 2. The installed copy: the setup program run silently (/S); the Start-menu shortcut, the entry
#    in the installed programs, the project files' type and the programs' details are checked;
#    with the demo project in %APPDATA%\affiliate-vantor, the installed wizard runs the same job
#    (a silent setup started meanwhile must give up, since the wizard runs), then the
#    uninstaller (/S) must remove the program, its shortcut and its registry entries and leave
#    the user's files.
# 3. Setup into a folder given with /D=: refused outside Program Files, done inside it.
# Leaves a screenshot of each wizard beside the zip.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
here="$root/tests/windows/wizard-check.sh"
. "$root/tests/windows/wine-helpers.sh"

# Runs inside the virtual display: drive PROGRAM OUTPUT_FOLDER PAGE_NAME SCREENSHOT
# With SETUP_WHILE_RUNNING set, that setup program is started silently while the wizard runs.
if [ "${1:-}" = drive ]; then
    program=$2 output=$3 page=$4 shot=$5
    wine "$program" &

    # Clicks a point of the wizard's client area; the layout is fixed (see FMainLayout.cpp).
    click() {
        xdotool mousemove $((X + $1)) $((Y + $2)) click 1
        sleep 0.7
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
    answer_box Information # "You have successfully saved your file as: ..."
    [ -s "$output/$page" ] || fail "No $output/$page"
    if [ -n "${SETUP_WHILE_RUNNING:-}" ] && wine "$SETUP_WHILE_RUNNING" /S; then
        fail "The setup program replaced the wizard while it ran"
    fi
    click 216 241 # Preview: the page in the browser, where Windows has no web engine
    for _ in $(seq 20); do
        [ -s "$BROWSER_LOG" ] && break
        sleep 0.5
    done
    [ -s "$BROWSER_LOG" ] || fail "Preview opened no browser"
    # The address's own path: file:///C:/... with its bytes percent-encoded.
    copy=$(winepath -u "$(printf '%b' "$(sed -n '1s|^file:///||p' "$BROWSER_LOG" |
        sed 's/%\([0-9A-Fa-f][0-9A-Fa-f]\)/\\x\1/g')")")
    [ -s "$copy" ] || fail "Preview's copy $copy is missing"
    grep -q '<base href="file:///' "$copy" || fail "Preview's copy has no <base>"
    cmp <(sed 's|<base href="file:///[^"]*">||' "$copy") "$output/$page" ||
        fail "Preview's copy is not the page with a <base>"
    # Closed as a user closes it, so that it ends cleanly: a killed wizard leaves its recovery
    # copy, which the next start would offer.
    wine taskkill /im affiliate-vantor.exe >/dev/null 2>&1 || true
    for _ in $(seq 20); do
        shown '^Affiliate Vantor' || break
        sleep 0.5
    done
    ! shown '^Affiliate Vantor' || fail "The wizard did not close"
    [ ! -e "$copy" ] || fail "Preview's copy outlived the wizard"
    wineserver -k || true
    exit 0
fi

zip=$(realpath "$1")
setup=$(realpath "$2")
wine_prefix

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
page_name=$(basename "$linux_page")

# Runs the wizard's whole job: wizard PROGRAM OUTPUT_FOLDER SCREENSHOT; checks the page it made
# and the copy the browser was given.
wizard() {
    local output=$2
    rm -f "$BROWSER_LOG"
    xvfb-run -a -s "-screen 0 1024x768x24" "$here" drive "$1" "$output" "$page_name" "$3"
    cmp "$linux_page" "$output/$page_name" ||
        fail "The wizard under Wine did not make the Linux CLI's page (screenshot: $3)"
}

# 1. The portable copy.
cmake -E chdir "$scratch" cmake -E tar xf "$zip"
dir=$(find "$scratch" -mindepth 1 -maxdepth 1 -type d -name 'affiliate-vantor-*')
cp "$root/examples/demo/settings.dat" "$dir/"
wizard "$dir/affiliate-vantor.exe" "$dir/Output" "${zip%.zip}-under-wine.png"
echo "The wizard from the zip made the same page as the Linux CLI"

# 2. The installed copy: installed twice, the second time over the first as an upgrade is.
program_folder="$WINEPREFIX/drive_c/Program Files/Affiliate Vantor"
for _ in first upgrade; do
    wine "$setup" /S || fail "The silent setup failed"
    wineserver -w
done
[ -e "$program_folder/installed-copy" ] || fail "The installed copy is not marked as one"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Affiliate Vantor.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Affiliate Vantor'
[ -x "$program_folder/affiliate-vantor.exe" ] || fail "Nothing installed in $program_folder"
[ -x "$program_folder/Updater.exe" ] || fail "No Updater.exe beside the installed wizard"
[ -s "$shortcut" ] || fail "No Start-menu shortcut"
entry=$(wine reg query "$uninstall_key" | tr -d '\r')
for value in "DisplayName +REG_SZ +Affiliate Vantor" "DisplayVersion +REG_SZ +1.01" \
    'UninstallString +REG_SZ +"C:\\Program Files\\Affiliate Vantor\\Uninstall.exe"' \
    "Publisher +REG_SZ" "DisplayIcon +REG_SZ" "EstimatedSize +REG_DWORD"; do
    grep -Eq "^ +$value" <<<"$entry" || fail "The uninstall entry lacks $value: $entry"
done
wine reg query 'HKCR\AffiliateVantor.Project\shell\open\command' | grep -q 'affiliate-vantor.exe" "%1"' ||
    fail "Project files do not open in the wizard"
for program in affiliate-vantor affiliate-vantor-cli; do
    details=$(wine "$tools/file-version.exe" "$program_folder/$program.exe" | tr -d '\r')
    for value in "ProductName: Affiliate Vantor" "ProductVersion: 1.01" "CompanyName: " \
        "FileVersionNumber: 1.1.0.0" "<dpiAwareness[^>]*>PerMonitorV2<" \
        "<longPathAware[^>]*>true<" 'level="asInvoker"' "Microsoft.Windows.Common-Controls"; do
        grep -q "$value" <<<"$details" || fail "$program.exe's details lack $value: $details"
    done
done
appdata=$(wine_appdata)
mkdir -p "$appdata/affiliate-vantor"
cp "$root/examples/demo/settings.dat" "$appdata/affiliate-vantor/"
SETUP_WHILE_RUNNING="$setup" wizard "$program_folder/affiliate-vantor.exe" \
    "$appdata/affiliate-vantor/Output" "${zip%.zip}-installed-under-wine.png"
[ ! -e "$program_folder/Output" ] || fail "The installed wizard wrote into its program folder"
echo "The installed wizard made the same page as the Linux CLI"

wine "$program_folder/Uninstall.exe" /S || fail "The silent uninstall failed"
# The uninstaller runs on from a copy of itself in the temporary folder.
wineserver -w
[ ! -e "$program_folder" ] || fail "The uninstaller left $(find "$program_folder")"
[ ! -e "$shortcut" ] || fail "The uninstaller left the Start-menu shortcut"
! wine reg query "$uninstall_key" >/dev/null 2>&1 || fail "The uninstaller left its registry entry"
! wine reg query 'HKCR\.vantor' >/dev/null 2>&1 || fail "The uninstaller left the project files' type"
[ -s "$appdata/affiliate-vantor/settings.dat" ] && [ -s "$appdata/affiliate-vantor/Output/$page_name" ] ||
    fail "The uninstaller removed the user's files"
echo "The setup program installed the wizard and its uninstaller removed it, keeping the user's files"

# 3. A folder of the administrator's choice, which must lie under Program Files: one elsewhere,
# or one that ".." leads out of it, is refused (status 2) before anything is written. (Wine
# would quote a folder with a space, and /D= takes none; cmd passes the command line as it is.)
silent_setup() {
    wine cmd /c "$(winepath -w "$setup") /S /D=$1"
}
for outside in 'C:\Apps\Vantor' 'C:\Program Files\..\Vantor'; do
    status=0
    silent_setup "$outside" || status=$?
    [ "$status" -eq 2 ] || fail "The silent setup into $outside ended with status $status, not 2"
done
wineserver -w
[ ! -e "$WINEPREFIX/drive_c/Apps" ] && [ ! -e "$WINEPREFIX/drive_c/Vantor" ] ||
    fail "The setup program wrote into a folder outside Program Files"
silent_setup 'C:\Program Files\Vantor Test' || fail "The silent setup into a folder failed"
wineserver -w
chosen="$WINEPREFIX/drive_c/Program Files/Vantor Test"
[ -x "$chosen/affiliate-vantor.exe" ] || fail "/D= did not choose the program folder"
wine "$chosen/Uninstall.exe" /S || fail "The silent uninstall from the chosen folder failed"
wineserver -w
[ ! -e "$chosen" ] || fail "The uninstaller left $(find "$chosen")"
echo "The setup program refused folders outside Program Files, installed into the one given with"
echo "/D= and removed it again"
