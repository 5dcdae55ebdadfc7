#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program on the data it ships.
# Arguments go to zelvomini-cli (default: the status of the shipped data).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
[ $# -eq 0 ] && set -- status
exec build/bin/zelvomini-cli "$@"
