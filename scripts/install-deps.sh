#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs, only those missing.
set -euo pipefail

PACKAGES=(
    build-essential binutils cmake ninja-build pkg-config clang fonts-dejavu-core
    qt6-base-dev qt6-multimedia-dev libqt6multimedia6
    libcli11-dev libgtest-dev libgmock-dev libbenchmark-dev
    libsndfile1-dev libresample1-dev libfftw3-dev locales-all libyaml-cpp-dev libssl-dev
    libsox-dev libespeak-ng-dev
    pulseaudio pulseaudio-utils
    libsqlite3-dev libpq-dev postgresql
    dpkg-dev fakeroot file help2man librsvg2-bin man-db bash-completion
    lintian appstream desktop-file-utils
    python3-jsonschema python3-yaml
)

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    SUDO=()
else
    SUDO=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -q
"${SUDO[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
