#!/usr/bin/env bash
# Sets up, builds and starts Affiliate Vantor. Without a display it makes the demo page instead.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
scripts/build.sh build
app="$PWD/build/app"
# The demo project, ready for "Load Configuration"; a project of the user's is never replaced.
[ -e "$app/settings.dat" ] || cp examples/demo/settings.dat "$app/settings.dat"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found (DISPLAY and WAYLAND_DISPLAY are empty); making the demo page instead."
    page=$("$app/affiliate-vantor-cli" generate --app-dir "$app" --settings examples/demo/settings.dat)
    echo "The demo page is at: $page"
    exit 0
fi

exec "$app/affiliate-vantor" "$@"
