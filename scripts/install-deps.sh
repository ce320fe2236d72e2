#!/usr/bin/env bash
# Installs what Quillary needs on Debian 12, as root. Asks apt only when a
# package is missing, so repeated runs are quick.
set -euo pipefail

packages=(
    cmake g++ make ninja-build pkg-config
    qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql qt6-multimedia-dev zlib1g-dev libcurl4-openssl-dev libcli11-dev
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
    libphonenumber-dev libsndfile1-dev libsoxr-dev libespeak-ng-dev libpulse-dev libudev-dev
    fontconfig fonts-dejavu-core fonts-urw-base35
)
if [ "${1:-}" = "--tests" ]; then
    packages+=(python3 python3-aiosmtpd openssl zip unzip socat clang libclang-rt-14-dev clang-format
        poppler-utils pulseaudio pulseaudio-utils sox lame opus-tools
        dpkg-dev file help2man appstream man-db
        lintian desktop-file-utils shared-mime-info libglib2.0-bin
        umockdev gir1.2-umockdev-1.0 python3-gi postgresql-15)
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
