#!/usr/bin/env bash
# Configures (once) and builds into build/, incrementally: everything, or
# the targets named in ZELVO_TARGETS.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${ZELVO_BUILD_DIR:-build}"
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
fi
# shellcheck disable=SC2086  # the targets are words
cmake --build "$build_dir" ${ZELVO_TARGETS:+--target $ZELVO_TARGETS}
