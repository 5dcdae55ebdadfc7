#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with, and any
# further packages named as arguments (the clang of the CI and fuzz builds).
# Quick when everything is present: apt is only called for what is missing.
#   scripts/install-deps.sh [PACKAGE...]
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ca-certificates
  libicu-dev libcurl4-openssl-dev
  libcpp-httplib-dev coinor-libcbc-dev libnlopt-cxx-dev
  googletest libgtest-dev libbenchmark-dev
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-qpa-plugins qt6-translations-l10n fonts-noto-cjk poppler-utils
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
