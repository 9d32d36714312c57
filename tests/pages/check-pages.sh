#!/usr/bin/env bash
# Checks every shipped template's page with the Nu HTML checker and axe-core in Chromium:
# check-pages.sh [CLI]  (by default the CLI in build/app/)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repository=$(cd "$here/../.." && pwd)
cli=$(realpath "${1:-$repository/build/app/affiliate-vantor-cli}")

# npm ci starts from nothing each time, so it runs only when the lock file changed. Install
# scripts stay off: vnu-jar's would fetch a Java of its own, and Debian's is used instead.
stamp="$here/node_modules/.installed-package-lock.json"
if ! cmp -s "$here/package-lock.json" "$stamp"; then
    (cd "$here" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)
    cp "$here/package-lock.json" "$stamp"
fi

node "$here/check-pages.mjs" "$cli" "$repository"
