#!/usr/bin/env bash
# Sets up what is missing, builds orvane and starts the simulator with the demo calculator.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/setup.sh"
"$here/build.sh"
bin="$here/../build/bin"
if [ -x "$bin/orvane" ]; then
    exec "$bin/orvane" "$@"
fi
# Until the simulator is built, show the tools there are.
echo "orvane: the simulator is not built yet; the tools in $bin:" >&2
ls "$bin" >&2
exec "$bin/orvane-container" --help
