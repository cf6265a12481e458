#!/usr/bin/env bash
# Installs the Debian 12 packages climstat needs to build and test, skipping what is there.
set -euo pipefail

packages=(build-essential cmake ninja-build clang clang-format libclang-rt-14-dev libgtest-dev libgmock-dev
          libbenchmark-dev
          # The desktop program and its window tests under a virtual X server.
          qt6-base-dev qt6-charts-dev qt6-datavisualization-dev qt6-declarative-dev libgl-dev
          fonts-dejavu-core xvfb xauth
          # Qt's own texts (file dialogs, print preview, standard buttons) in Spanish.
          qt6-translations-l10n
          # The Debian package: its icons and manual pages, and the checks of its desktop entry
          # and AppStream metadata.
          librsvg2-bin help2man desktop-file-utils appstream)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ "${#missing[@]}" -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
