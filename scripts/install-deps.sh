#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
set -euo pipefail

packages=(build-essential cmake ccache libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev qt6-qpa-plugins libfontconfig-dev libxcb1-dev qt6-webengine-dev
          zlib1g-dev libssl-dev xdg-utils
          fonts-dejavu-core fonts-liberation2 libsodium-dev minisign
          g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine wine64 clang-14 libclang-rt-14-dev
          dpkg-dev file appstream default-jre-headless chromium "$@")
# The page checks run on Node.js; a machine that came with its own keeps it.
command -v npm >/dev/null || packages+=(nodejs npm)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
        || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null; then
    as_root=(sudo)
else
    echo "These packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
