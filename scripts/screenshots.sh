#!/usr/bin/env bash
# Takes PNG screenshots of orvane on a private X server (Xvfb with openbox): the window after
# start-up, after 1 + 2 =, with an extra LCD window from Novaro.ini, and maximised.
# Usage: scripts/screenshots.sh [OUTPUT_FOLDER]   (default: build/screenshots)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
out="${1:-$here/../build/screenshots}"
"$here/setup.sh"
"$here/build.sh"
mkdir -p "$out"
out="$(cd "$out" && pwd)"
ORVANE_SCREENSHOT_DIR="$out" "$here/../build/tests/bin/desktop_tests" --gtest_filter='DesktopSession.*'
echo "orvane: screenshots in $out:" >&2
ls "$out" >&2
