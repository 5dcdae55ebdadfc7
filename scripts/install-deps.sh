#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with, and any
# further packages named as arguments (the clang of the CI and fuzz builds).
# Quick when everything is present: apt is only called for what is missing.
#   scripts/install-deps.sh [PACKAGE...]
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ca-certificates
  libicu-dev libcurl4-openssl-dev
  libcpp-httplib-dev coinor-libcbc-dev libnlopt-cxx-dev libcli11-dev nlohmann-json3-dev
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
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "install-deps: run this as root to install: ${missing[*]}" >&2
    exit 1
  fi
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive

# Another package manager at work (an unattended upgrade, a second install)
# holds apt's locks for a while: wait up to a minute for it rather than fail.
apt_get() {
  local deadline=$((SECONDS + 60)) out
  while true; do
    if out=$($sudo apt-get -o DPkg::Lock::Timeout=60 "$@" 2>&1); then
      [ -n "$out" ] && printf '%s\n' "$out"
      return 0
    fi
    if ((SECONDS < deadline)) && grep -qE 'Could not get lock|Unable to acquire|Unable to lock' <<<"$out"; then
      echo "install-deps: waiting for another package manager to finish" >&2
      sleep 3
      continue
    fi
    printf '%s\n' "$out" >&2
    return 1
  done
}
apt_get update -qq
apt_get install -y -qq --no-install-recommends "${missing[@]}"
