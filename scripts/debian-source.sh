#!/usr/bin/env bash
# Fetches and unpacks the source of a Debian package into a folder, adding a deb-src entry for
# Debian's archive when the machine has none; prints the unpacked source folder. Does nothing but
# print it when the folder already holds it.
#   debian-source.sh PACKAGE FOLDER
set -euo pipefail
package=$1
work=$2

mkdir -p "$work"
source_dir=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name "$package-*" | head -n 1)
if [ -n "$source_dir" ]; then
    echo "$source_dir"
    exit 0
fi

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
if ! grep -rqs '^Types:.*deb-src\|^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    echo "Adding a deb-src entry for Debian's sources (/etc/apt/sources.list.d/affiliate-vantor-src.sources)" >&2
    "${as_root[@]}" tee /etc/apt/sources.list.d/affiliate-vantor-src.sources >/dev/null <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    "${as_root[@]}" apt-get update -qq
fi

(cd "$work" && apt-get source -qq "$package" >/dev/null)
find "$work" -mindepth 1 -maxdepth 1 -type d -name "$package-*" | head -n 1
