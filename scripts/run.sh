#!/usr/bin/env bash
# Installs what is missing, builds the two programs (and what they load and
# read at run time; scripts/test.sh builds the tests), and runs the program
# on the data it ships.
# On a desktop (DISPLAY or WAYLAND_DISPLAY set) and without arguments it opens
# the desktop program; otherwise the arguments go to zelvomini-cli, and
# without any the search runs on the shipped sample document, saved beside it
# so that the sample stays as shipped.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
ZELVO_TARGETS="zelvomini zelvomini-cli" scripts/build.sh
if [ $# -eq 0 ]; then
  if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec build/bin/zelvomini
  fi
  echo "No display: running the sample search on the command line (the desktop program is build/bin/zelvomini; start it on a desktop, or with xvfb-run)."
  docs=build/bin/UserData/Zelvomini
  set -- search "$docs/sample-guarantee.tpd" -o "$docs/sample-guarantee-result.tpd"
fi
exec build/bin/zelvomini-cli "$@"
