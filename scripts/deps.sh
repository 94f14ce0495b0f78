#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages needed to build, run and test the application.
# Does nothing when all of them are already installed.
set -euo pipefail

packages=(
    qt6-base-dev qt6-base-dev-tools libqt6sql6-psql qt6-qpa-plugins libxlsxwriter-dev
    postgresql libpq-dev cmake g++ pkgconf libgtest-dev libgmock-dev
    xvfb xauth poppler-utils fonts-dejavu-core python3-openpyxl
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
"${sudo[@]}" apt-get update
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y --no-install-recommends "${missing[@]}"
