#!/usr/bin/env bash
# Installs the Debian 12 packages the workbench needs to build, test and run, when any is missing.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    qtbase5-dev qttools5-dev qttools5-dev-tools libqt5sql5-sqlite
    libqt5serialbus5-dev libqt5serialport5-dev socat
    liblog4cplus-dev libminizip-dev libsqlite3-dev
    xvfb xauth fonts-dejavu-core fonts-noto-cjk qttranslations5-l10n python3
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

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages; run as root (or install them): ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${missing[@]}"
