#!/usr/bin/env bash
# Renders the desktop program's windows on the shipped sample round, offscreen,
# into docs/screenshots/ (the pictures of the README).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
cmake --build "${ZELVO_BUILD_DIR:-build}" --target zelvomini-screenshots
# The sample round lies in the past: its sale status reads the same on any day.
QT_QPA_PLATFORM=offscreen TZ=Asia/Tokyo "${ZELVO_BUILD_DIR:-build}/bin/zelvomini-screenshots" docs/screenshots
