#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, if any is missing.
set -euo pipefail

packages=(g++ cmake ninja-build qt6-base-dev libgl-dev fonts-dejavu-core pkgconf libxlsxwriter-dev zlib1g-dev libzip-dev
          qt6-translations-l10n locales poppler-utils desktop-file-utils appstream time)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The tests run once more in the Russian locale of the program's users.
if ! locale -a 2>/dev/null | grep -qix 'ru_RU\.utf-\?8'; then
    echo "Making the locale ru_RU.UTF-8"
    "${sudo_cmd[@]}" localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
fi
