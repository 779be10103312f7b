#!/usr/bin/env bash
# Sets up what is missing, builds orvane and starts the simulator with the demo calculator
# (its firmware, panels and LCD are built into build/bin/, where orvane reads them).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/setup.sh"
"$here/build.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "orvane: no display to open the simulator on (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
    echo "Run it from a desktop session, or without one: xvfb-run $here/run.sh" >&2
    exit 1
fi
exec "$here/../build/bin/orvane" "$@"
