#!/usr/bin/env bash
# Installs the Debian packages the whole client, its tests and the demo need.
# Checks first, so a second run costs nothing; apt-get update only when something is missing.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ pkg-config openssl
  qtbase5-dev libqt5opengl5-dev libqt5webkit5-dev qtmultimedia5-dev libqt5multimedia5-plugins
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-tools
  xvfb xauth libgl1-mesa-dri fonts-wqy-microhei
  clang-format
  poppler-utils
)

missing=()
for p in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = "installed" ] || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages need root: run as root or install them: ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
