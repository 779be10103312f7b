#!/usr/bin/env bash
# Configures and builds orvane in build/ (two parallel jobs).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_REQUIRE_QT=ON >/dev/null
cmake --build build -j2
