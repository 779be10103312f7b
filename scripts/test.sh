#!/usr/bin/env bash
# Sets up what is missing, builds orvane and runs the whole test suite.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/setup.sh"
"$here/build.sh"
ctest --test-dir "$here/../build" --output-on-failure -j2 "$@"
