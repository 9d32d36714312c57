#!/usr/bin/env bash
# The Windows update, end to end, in a scratch Wine prefix on a virtual display. Usage:
#   update-check.sh
# Makes a key pair with minisign and two setup programs built with its public key: this version
# and the next (0.01 newer). Installs this version with its setup, puts a project in the user's
# folder and serves update folders on loopback; then runs the installed Updater.exe with the
# wizard's three arguments on each:
#   - without a signature: refused at once, nothing installed;
#   - the newer setup with one byte changed: refused after its download, nothing installed,
#     nothing left in the temporary folder;
#   - signed and whole: Install downloads it and runs it, the installed programs' details then
#     say the newer version, the wizard starts and says it was updated, the project is still there.
# Leaves a screenshot of each case beside the setup programs.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
here="$root/tests/windows/update-check.sh"
. "$root/tests/windows/wine-helpers.sh"

# Runs inside the virtual display: drive UPDATER ADDRESS VERSION EXPECTED SCREENSHOT, where
# EXPECTED is refused-at-once, refused-after-download or installed.
if [ "${1:-}" = drive ]; then
    updater=$2 address=$3 version=$4 expected=$5 shot=$6
    wine "$updater" "$address" "$version" A &
    # The updater's error box, shot and answered; the updater then ends.
    refused() {
        geometry_of '^Error$' >/dev/null
        import -window root "$shot"
        answer_box Error
        wait
        exit 0
    }
    [ "$expected" != refused-at-once ] || refused
    # The offer, with Install focused.
    eval "$(geometry_of '^Affiliate Vantor Update$')"
    sleep 2
    eval "$(geometry_of '^Affiliate Vantor Update$')"
    import -window root "${shot%.png}-offer.png"
    # A click on the headline makes the window active; Return then presses Install.
    xdotool mousemove $((X + 40)) $((Y + 20)) click 1
    sleep 1
    xdotool key Return
    [ "$expected" != refused-after-download ] || refused
    # The updater's copy downloads and runs the setup, then starts the installed wizard, which
    # says it was updated.
    geometry_of '^Information$' >/dev/null
    sleep 1
    import -window root "$shot"
    answer_box Information
    ! shown '^Affiliate Vantor Update$' || fail "The updater's window stayed after the update"
    shown '^Affiliate Vantor' || fail "The wizard did not start after the update"
    wine taskkill /im affiliate-vantor.exe >/dev/null 2>&1 || true
    for _ in $(seq 20); do
        shown '^Affiliate Vantor' || break
        sleep 0.5
    done
    wineserver -k || true
    exit 0
fi

scripts() { (cd "$root" && "scripts/$1" "${@:2}"); }

wine_prefix
minisign -G -p "$scratch/update.pub" -s "$scratch/update.key" -W >/dev/null
key=$(tail -n 1 "$scratch/update.pub")

# The setup programs, each from a build folder of its own (sharing the compiler's cache).
setup_of() {
    VANTOR_UPDATE_PUBLIC_KEY=$key VANTOR_WINDOWS_BUILD=$1 VANTOR_VERSION_OVERRIDE=${2:-} \
        scripts package-windows.sh | tail -n 1
}
old_setup=$(setup_of build-windows-update-old)
old=$(basename "$old_setup" | sed 's/^affiliate-vantor-\([0-9.]*\)-.*/\1/')
new=$(awk -v version="$old" 'BEGIN { printf "%.2f", version + 0.01 }')
new_setup=$(setup_of build-windows-update-new "$new")
shots=$(dirname "$old_setup")

program_folder="$WINEPREFIX/drive_c/Program Files/Affiliate Vantor"
wine "$old_setup" /S || fail "The silent setup of $old failed"
wineserver -w
# The details Explorer shows and the entry of the installed programs.
installed_version() {
    local details entry
    details=$(wine "$tools/file-version.exe" "$program_folder/affiliate-vantor.exe" | tr -d '\r')
    entry=$(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Affiliate Vantor' |
        tr -d '\r')
    grep -q "^ProductVersion: $1$" <<<"$details" && grep -Eq "^ +DisplayVersion +REG_SZ +$1$" <<<"$entry" ||
        fail "The installed version is not $1: $details $entry"
}
installed_version "$old"
appdata=$(wine_appdata)
mkdir -p "$appdata/affiliate-vantor"
cp "$root/examples/demo/settings.dat" "$appdata/affiliate-vantor/"
temporary=$(winepath -u "$(wine cmd /c echo %TEMP% | tr -d '\r')")

# The update folder: the newer setup, its description and the description's signature.
folder="$scratch/update"
mkdir -p "$folder"
setup_name=$(basename "$new_setup")
cp "$new_setup" "$folder/"
cat >"$folder/mainappupdate.inf" <<EOF
[APPLICATION]
Name=Affiliate Vantor
Version=$new

[WINDOWS]
Setup=$setup_name
Size=$(stat -c %s "$new_setup")
SHA256=$(sha256sum "$new_setup" | cut -d ' ' -f 1)

[NOTES]
The update check's own release.
EOF
cmake --build "$root/build" --target folder_test_server >/dev/null
"$root/build/tests/folder_test_server" "$folder" "$scratch/port" >"$scratch/requests.log" &
server=$!
trap 'kill $server 2>/dev/null; wineserver -k >/dev/null 2>&1 || true; rm -rf "$scratch"' EXIT
for _ in $(seq 100); do [ -f "$scratch/port" ] && break; sleep 0.1; done
address="http://127.0.0.1:$(cat "$scratch/port")/"

update() {
    xvfb-run -a -s "-screen 0 1024x768x24" bash ${UPDATE_CHECK_TRACE:+-x} "$here" drive \
        "$(winepath -w "$program_folder/Updater.exe")" "$address" "$old" "$1" "$shots/update-$1.png"
    wineserver -w
}
downloads_left() {
    find "$temporary" -name "$setup_name" | grep -q .
}

# Unsigned.
update refused-at-once
installed_version "$old"
echo "The updater refused an unsigned update folder"

# Signed, but the setup it names was changed.
minisign -S -s "$scratch/update.key" -m "$folder/mainappupdate.inf" >/dev/null
cp "$new_setup" "$scratch/whole-setup.exe"
printf 'X' | dd of="$folder/$setup_name" bs=1 seek=$(($(stat -c %s "$new_setup") / 2)) conv=notrunc \
    status=none
update refused-after-download
grep -q "GET /$setup_name " "$scratch/requests.log" || fail "The changed setup was not downloaded"
installed_version "$old"
! downloads_left || fail "The refused download was left in $temporary"
echo "The updater refused a setup program that was not the signed one"

# Signed and whole.
cp "$scratch/whole-setup.exe" "$folder/$setup_name"
update installed
installed_version "$new"
wine "$tools/file-version.exe" "$program_folder/affiliate-vantor-cli.exe" | grep -q "ProductVersion: $new" ||
    fail "The CLI was not updated"
[ -s "$appdata/affiliate-vantor/settings.dat" ] || fail "The update removed the user's project"
[ ! -e "$appdata/affiliate-vantor/updated-to" ] || fail "The new wizard did not take the update's note"
! downloads_left || fail "The installed download was left in $temporary"
echo "The updater installed $new over $old, and the user's project stayed"
