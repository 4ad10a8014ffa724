#!/usr/bin/env bash
# Installs every Debian package Bubblix needs to build, test and run.
# A no-op when all of them are present; uses sudo when not run as root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build g++
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev nlohmann-json3-dev libeigen3-dev libceres-dev
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-translations-l10n
  fonts-dejavu-core poppler-utils xvfb xauth
  clang libclang-rt-14-dev
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
if [ "$(id -u)" -eq 0 ]; then
  sudo_cmd=()
else
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
