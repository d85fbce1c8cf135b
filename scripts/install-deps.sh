#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Orrikey need,
# or only the packages named (scripts/install-deps.sh chromium). Quick to run
# again: it asks apt only when a package is missing.
set -euo pipefail

packages=("$@")
[ $# -gt 0 ] || packages=(
  build-essential cmake ninja-build pkg-config
  libpcre2-dev
  qt6-base-dev libgl-dev
  fonts-dejavu-core fonts-symbola
  googletest libgtest-dev libbenchmark-dev
  nlohmann-json3-dev neovim
  clang libclang-rt-14-dev clang-format
  xvfb xauth strace
  librsvg2-bin dpkg-dev fakeroot lintian
  vim neovim emacs-nox libkf5syntaxhighlighting-tools libxml2-utils
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query --show --showformat='${db:Status-Status}' "$package" 2>/dev/null | grep -qx installed \
    || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi

export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
