#!/usr/bin/env bash
# Builds the wizard and the CLI for 64-bit Windows against the Qt of scripts/windows-qt.sh, packs
# them with the DLLs they need into build-windows-app/affiliate-vantor-<version>-windows-x64.zip
# and makes the setup program affiliate-vantor-<version>-windows-x64-setup.exe beside it from the
# same files; prints the two paths. Both hold our updater, Updater.exe; VANTOR_UPDATER=FILE puts
# the shipper's own in its place;
# VANTOR_UPDATE_PUBLIC_KEY=KEY builds them with the shipper's update key (docs/updates.md);
# VANTOR_WINDOWS_BUILD=FOLDER builds in FOLDER, and VANTOR_VERSION_OVERRIDE=X.YY as version X.YY
# (the update check makes its copies so).
#   package-windows.sh          makes the zip and the setup program
#   package-windows.sh --check  makes them, then runs the wizard from each under Wine (see
#                               tests/windows/wizard-check.sh), then updates an installed copy
#                               from a signed update folder (tests/windows/update-check.sh)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
check=false
[ "${1:-}" = --check ] && check=true

scripts/install-deps.sh ninja-build nsis >&2
qt=$(scripts/windows-qt.sh | tail -n 1)
sodium=$(scripts/windows-libsodium.sh | tail -n 1)
build=${VANTOR_WINDOWS_BUILD:-build-windows-app}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Paths relative to the repository, so that the update check's build folders share the cache.
export CCACHE_BASEDIR="$root"
# Given or not for each run, so that an updater or key of an earlier run does not stay in the
# cache.
updater=${VANTOR_UPDATER:+$(realpath "$VANTOR_UPDATER")}
# The Qt DLLs use the shared C++ runtime, so the programs do too: one runtime in the process.
# zlib stays static, so that no zlib DLL has to travel with them.
"$qt/bin/qt-cmake" -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DVANTOR_BUILD_TESTS=OFF -DVANTOR_BUILD_BENCH=OFF -DCMAKE_EXE_LINKER_FLAGS= \
    -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a "${launcher[@]}" -DVANTOR_UPDATER="$updater" \
    -DSODIUM_INCLUDE_DIR="$sodium/include" -DSODIUM_LIBRARY="$sodium/lib/libsodium.a" \
    -DVANTOR_UPDATE_PUBLIC_KEY="${VANTOR_UPDATE_PUBLIC_KEY:-}" \
    -DVANTOR_VERSION_OVERRIDE="${VANTOR_VERSION_OVERRIDE:-}" >&2
cmake --build "$build" --parallel 2 >&2

version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
name="affiliate-vantor-$version-windows-x64"
stage="$build/$name"
rm -rf "$stage" "$build/$name.zip"
mkdir -p "$stage"/{platforms,styles,imageformats}
cp "$build"/app/affiliate-vantor.exe "$build"/app/affiliate-vantor-cli.exe "$build"/app/Updater.exe \
    "$stage/"
cp -r templates "$stage/Templates"
cp "$qt"/bin/Qt6Core.dll "$qt"/bin/Qt6Gui.dll "$qt"/bin/Qt6Widgets.dll "$stage/"
cp "$qt"/plugins/platforms/qwindows.dll "$stage/platforms/"
cp "$qt"/plugins/styles/qwindowsvistastyle.dll "$stage/styles/"
# Qt 6 builds only PNG and BMP into Gui; banners and previews need these too.
for format in qgif qjpeg qico; do
    cp "$qt/plugins/imageformats/$format.dll" "$stage/imageformats/"
done
runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
cp "$runtime"/libgcc_s_seh-1.dll "$runtime"/libstdc++-6.dll \
    /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$stage/"
find "$stage" \( -name '*.exe' -o -name '*.dll' \) -exec x86_64-w64-mingw32-strip {} +
# The shipper's updater in place of ours, as it came, unstripped: it may be signed.
[ -z "$updater" ] || cp "$updater" "$stage/Updater.exe"

# Every DLL a program or plugin names is in the folder or Windows' own: an API set, or one that
# mingw-w64 has an import library for.
windows_own() {
    [[ "${1,,}" == api-ms-win-* ]] ||
        [ -n "$(find /usr/x86_64-w64-mingw32/lib -maxdepth 1 -iname "lib${1%.*}.a" -print -quit)" ]
}
missing=$(find "$stage" \( -name '*.exe' -o -name '*.dll' \) -exec x86_64-w64-mingw32-objdump -p {} + |
    sed -n 's/^\s*DLL Name: //p' | sort -u | while read -r dll; do
        [ -e "$stage/$dll" ] || windows_own "$dll" || echo "$dll"
    done)
if [ -n "$missing" ]; then
    echo "The zip would lack these DLLs: $missing" >&2
    exit 1
fi

(cd "$build" && cmake -E tar cf "$name.zip" --format=zip "$name")
zip="$root/$build/$name.zip"
rm -f "$build/$name-setup.exe"
(cd "$build" && cpack -G NSIS -D CPACK_INSTALLED_DIRECTORIES="$root/$stage;." >&2)
setup="$root/$build/$name-setup.exe"
if $check; then
    tests/windows/wizard-check.sh "$zip" "$setup" >&2
    tests/windows/update-check.sh >&2
fi
echo "$zip"
echo "$setup"
