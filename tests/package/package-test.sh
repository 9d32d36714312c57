#!/usr/bin/env bash
# Checks the Debian package without installing it: package-test.sh PACKAGE.deb
# Unpacks it into a scratch root and makes a page with the CLI from there as a user who cannot
# write the program folder (nobody, when run as root); the page must land in that user's data
# folder, and the user's own template must be listed and win over a shipped one.
set -euo pipefail
deb=$(realpath "$1")
source_dir=$(realpath "$(dirname "$0")/../..")

fail() {
    echo "package test: $*" >&2
    exit 1
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
chmod 755 "$scratch"
root="$scratch/root"
dpkg-deb -x "$deb" "$root"
app="$root/opt/affiliate-vantor"

# The control fields and the layout.
[ "$(dpkg-deb -f "$deb" Package)" = affiliate-vantor ] || fail "wrong package name"
[ "$(basename "$deb")" = "affiliate-vantor_$(dpkg-deb -f "$deb" Version)_amd64.deb" ] \
    || fail "unexpected file name $(basename "$deb")"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6webenginewidgets6 libqt6webenginecore6-bin libqt6widgets6 libc6; do
    [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
for file in affiliate-vantor affiliate-vantor-cli; do
    [ -x "$app/$file" ] || fail "no program $file"
    [ "$(readlink "$root/usr/bin/$file")" = "/opt/affiliate-vantor/$file" ] \
        || fail "/usr/bin/$file does not lead to the program folder"
done
[ -f "$app/affiliate-vantor-webengine.so" ] || fail "no web-engine module"
# The updater that "Check Updates" starts beside the wizard; it is no command of its own.
[ -x "$app/Updater" ] || fail "no Updater beside the program"
[ ! -e "$root/usr/bin/Updater" ] || fail "the Updater is on the PATH"
[[ "$(dpkg-deb -f "$deb" Recommends)" == *pkexec* ]] || fail "Recommends lacks pkexec"
[ -f "$app/installed-copy" ] || fail "no installed-copy marker in the program folder"
for template in "$source_dir"/templates/*; do
    cmp -s "$template" "$app/Templates/$(basename "$template")" || fail "Templates/ differs"
done
grep -qx 'Exec="/opt/affiliate-vantor/affiliate-vantor" %f' \
    "$root/usr/share/applications/affiliate-vantor.desktop" || fail "the menu entry starts another program"
grep -q 'glob pattern="\*.vantor"' "$root/usr/share/mime/packages/affiliate-vantor-project.xml" \
    || fail "no file type for project files"
for size in 16 22 24 32 48 64 128 256; do
    [ -f "$root/usr/share/icons/hicolor/${size}x$size/apps/affiliate-vantor.png" ] || fail "no ${size}px icon"
done
if command -v appstreamcli >/dev/null; then
    appstreamcli validate-tree --no-net "$root" >/dev/null || fail "the AppStream data do not validate"
fi

# A user of their own, with a scratch home: their project and a template of the same name as a
# shipped one, in their data folder.
home="$scratch/home"
data="$home/data/affiliate-vantor"
mkdir -p "$data/Templates"
cp "$source_dir/examples/demo/settings.dat" "$data/settings.dat"
printf '<h1>%%%%TITLE%%%% - mine</h1>\n' >"$data/Templates/aurora.tem"
if [ "$(id -u)" -eq 0 ]; then
    chown -R 65534:65534 "$home"
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
else
    chmod -R a-w "$root"
    trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT
    as_user=()
fi
run() {
    "${as_user[@]}" env -i HOME="$home" XDG_DATA_HOME="$home/data" PATH=/usr/bin:/bin \
        "$app/affiliate-vantor-cli" "$@"
}

[ "$(run templates)" = $'Aurora\nMeadow\nSunset' ] || fail "templates lists: $(run templates)"
page=$(run generate --template aurora --output promo.htm) || fail "generate failed: $page"
[ "$page" = "$data/Output/promo.htm" ] || fail "the page went to $page"
grep -q ' - mine</h1>' "$page" || fail "the shipped template was used instead of the user's"
[ "$(stat -c %u "$page")" = "$(stat -c %u "$home")" ] || fail "the page is not the user's"
[ ! -e "$app/Output" ] || fail "something was written into the program folder"

# Root can write the program folder, yet its page goes to its own data folder as well.
if [ "$(id -u)" -eq 0 ]; then
    root_home="$scratch/root-home"
    mkdir -p "$root_home"
    page=$(env -i HOME="$root_home" PATH=/usr/bin:/bin "$app/affiliate-vantor-cli" generate \
        --settings "$source_dir/examples/demo/settings.dat" --output root.htm) \
        || fail "generate as root failed: $page"
    [ "$page" = "$root_home/.local/share/affiliate-vantor/Output/root.htm" ] \
        || fail "root's page went to $page"
    [ -f "$page" ] || fail "root's page is missing"
    [ ! -e "$app/Output" ] && [ ! -e "$app/settings.dat" ] \
        || fail "root wrote into the program folder"
fi
echo "package test: $(basename "$deb") passed"
