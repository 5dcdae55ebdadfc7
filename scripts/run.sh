#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program on the data it ships.
# Arguments go to zelvomini-cli.  Without any, the search runs on the shipped
# sample document and the result is saved beside it, so the sample stays as shipped.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ $# -eq 0 ]; then
  docs=build/bin/UserData/Zelvomini
  set -- search "$docs/sample-guarantee.tpd" -o "$docs/sample-guarantee-result.tpd"
fi
exec build/bin/zelvomini-cli "$@"
