#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing need, and only
# those that are missing, so a second run costs nothing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-base-dev-tools libgl-dev
    # Qt's own texts (file dialogs, standard buttons) in Turkish; the programs need it too
    qt6-translations-l10n
    srecord binutils
    # the production database: the client library, and a server the tests start themselves
    libpq-dev postgresql
    xvfb xauth
    xdotool x11-utils locales
    clang-format
    # installing and packaging (scripts/check-install.sh, cpack)
    dpkg-dev file desktop-file-utils shared-mime-info
    # the manual pages as a user sees them, held against --help
    man-db
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
    sudo_cmd=(sudo)
fi

echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
