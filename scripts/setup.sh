#!/bin/bash
# Installs on Debian or Ubuntu whatever the build and the tests need and is not there yet.
# Quiet and quick when everything is in place.
set -euo pipefail
packages=(
  cmake ninja-build g++ python3
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools binutils-mingw-w64-x86-64
  googletest
  wine wine64
  xvfb xauth imagemagick x11-utils xdotool
  fonts-wqy-microhei fonts-wine
  locales
  clang libclang-rt-14-dev
  zip
)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
