#!/usr/bin/env bash
# Installs the Debian packages orvane needs to build, run and test, when they are missing.
# As root it uses apt-get; otherwise it says which packages to install and stops.
set -euo pipefail

packages=(
    g++ cmake make pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev nlohmann-json3-dev fonts-dejavu-core
    xvfb xauth xdotool openbox x11-utils
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
    echo "orvane: installing ${missing[*]}" >&2
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
else
    echo "orvane: these Debian packages are missing: ${missing[*]}" >&2
    echo "Install them with:  sudo apt-get install ${missing[*]}" >&2
    exit 1
fi
