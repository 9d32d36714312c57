#!/usr/bin/env bash
# Cross-builds the core and the CLI for Windows and tests them under Wine: the core tests, then
# the Windows CLI's pages against the Linux CLI's, byte for byte. Needs the Linux build in build/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
build=build-windows
# With the libsodium of scripts/windows-libsodium.sh, which it builds the first time.
scripts/build-windows.sh "$build"

# A scratch Wine prefix of our own, never the user's.
export WINEPREFIX="$root/$build/wineprefix" WINEDEBUG=-all
[ -d "$WINEPREFIX" ] || wineboot --init >/dev/null 2>&1
wineserver --persistent=30 >/dev/null 2>&1 || true
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

# The http handler of this prefix is a program that records the arguments it receives.
recorder=$(winepath -w "$root/$build/tests/record_arguments.exe")
wine reg add 'HKCR\http\shell\open\command' /ve /d "\"$recorder\" -url \"%1\"" /f >/dev/null

# The TLS servers of the https tests run on Linux (OpenSSL); the Windows tests trust their root
# through the client's test-only setting, never through the prefix's store.
tls_folder=$(mktemp -d)
cmake --build build --target tls_test_server >/dev/null
build/tests/tls_test_server "$tls_folder" &
tls_server=$!
trap 'kill $tls_server 2>/dev/null; rm -rf "$tls_folder"; wineserver -k >/dev/null 2>&1 || true' EXIT
for _ in $(seq 100); do [ -f "$tls_folder/servers.txt" ] && break; sleep 0.1; done
(cd "$build" && VANTOR_REGISTRY_BROWSER=1 VANTOR_TLS_SERVERS=$(winepath -w "$tls_folder") \
    ctest --output-on-failure)
kill $tls_server 2>/dev/null || true
rm -rf "$tls_folder"

# The Windows CLI makes the same demo page as the Linux CLI, in Output/ and on standard output.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"; wineserver -k >/dev/null 2>&1 || true' EXIT
for system in linux windows; do
    mkdir -p "$scratch/$system"
    cp -r templates "$scratch/$system/Templates"
    cp examples/demo/settings.dat "$scratch/$system/settings.dat"
done
cp "$build/app/affiliate-vantor-cli.exe" "$scratch/windows/"
linux_cli=${VANTOR_LINUX_CLI:-build/app/affiliate-vantor-cli}
windows_cli=(wine "$scratch/windows/affiliate-vantor-cli.exe")

diff <("$linux_cli" templates --app-dir "$scratch/linux") \
     <("${windows_cli[@]}" templates | tr -d '\r')
linux_page=$("$linux_cli" generate --app-dir "$scratch/linux")
"$linux_cli" generate --app-dir "$scratch/linux" --stdout >"$scratch/linux/stdout.htm"
windows_page=$(cd "$scratch/windows" && "${windows_cli[@]}" generate | tr -d '\r')
(cd "$scratch/windows" && "${windows_cli[@]}" generate --stdout >stdout.htm)
cmp "$linux_page" "$scratch/windows/Output/$(basename "$linux_page")"
[ "$(basename "$linux_page")" = "$(basename "$(winepath -u "$windows_page")")" ]
cmp "$scratch/linux/stdout.htm" "$scratch/windows/stdout.htm"
echo "The Windows core tests pass and the Windows CLI makes the same pages."
