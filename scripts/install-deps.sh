#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, if any is missing.
set -euo pipefail

packages=(g++ cmake ninja-build qt6-base-dev libgl-dev fonts-dejavu-core pkgconf libxlsxwriter-dev
          poppler-utils unzip desktop-file-utils appstream time)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
