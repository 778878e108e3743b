#!/usr/bin/env bash
# Installs the build and test dependencies on Debian 12 (as root); quick when they are present.
set -euo pipefail
packages=(cmake g++ make qt6-base-dev qt6-tools-dev qt6-tools-dev-tools libboost-dev sfftw-dev
          libfftw3-dev googletest libgtest-dev libbenchmark-dev libgl-dev clang
          libclang-rt-14-dev xvfb openbox xdotool x11-xserver-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
