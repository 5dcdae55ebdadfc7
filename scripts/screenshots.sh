#!/usr/bin/env bash
# Renders the desktop program's windows on the shipped sample round, offscreen,
# into docs/screenshots/ (the pictures of the README).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
cmake --build "${ZELVO_BUILD_DIR:-build}" --target zelvomini-screenshots
# The sample round lies in the past: its sale status reads the same on any day.
# The pictures are taken on a 1400 x 900 screen, and the main window once more
# on an 800 x 600 screen, where the form scrolls.
screens="$(mktemp -d)"
trap 'rm -rf "$screens"' EXIT
for size in 1400x900 800x600; do
  echo "{\"screens\": [{\"name\": \"shots\", \"x\": 0, \"y\": 0, \"width\": ${size%x*}, \"height\": ${size#*x}}]}" \
    >"$screens/$size.json"
done
QT_QPA_PLATFORM="offscreen:configfile=$screens/1400x900.json" TZ=Asia/Tokyo \
  "${ZELVO_BUILD_DIR:-build}/bin/zelvomini-screenshots" docs/screenshots
QT_QPA_PLATFORM="offscreen:configfile=$screens/800x600.json" TZ=Asia/Tokyo \
  "${ZELVO_BUILD_DIR:-build}/bin/zelvomini-screenshots" docs/screenshots --small
