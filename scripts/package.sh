#!/usr/bin/env bash
# Builds the Debian package zelvomini_VERSION_ARCH.deb in the build folder and
# lints it (the menu entry, the metainfo, lintian).  Install it, as root, with
#   apt install ./build-release/zelvomini_*.deb
#   scripts/package.sh [BUILD_DIR]     (default build-release, the CI's Release build)
# The same commit gives the same package, byte for byte: every time stamp in
# it is the last commit's (SOURCE_DATE_EPOCH, unless set already).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-release}"
jobs="${ZELVO_JOBS:-2}"

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null ||
    date -d "$(sed -n 's/^ -- .*>  //p' packaging/changelog | head -1)" +%s)
fi
export SOURCE_DATE_EPOCH

# cpack's dependency scan needs dpkg-shlibdeps and file; the rest lints.
scripts/install-deps.sh dpkg-dev file desktop-file-utils appstream lintian

# A fresh folder is configured without the tests; an existing one is reused.
# Either way only what is packaged is built: cpack would otherwise build every
# target first.
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELVO_BUILD_TESTS=OFF \
    -DZELVO_BUILD_BENCH=OFF
fi
cmake -S . -B "$build" -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$build" -j"$jobs" --target zelvomini zelvomini-cli zelvomini-print \
  zelvomini_sysdata zelvomini_packaging
rm -f "$build"/zelvomini_*.deb
(cd "$build" && cpack -G DEB)
deb=$(ls "$build"/zelvomini_*.deb)

desktop-file-validate packaging/org.zelvomini.Zelvomini.desktop
appstreamcli validate --no-net --pedantic "$build/packaging/org.zelvomini.Zelvomini.metainfo.xml"
# Errors and warnings fail the build; the notes left are hardening flags that
# Debian's own build tools add and a plain CMake build does not.
lintian --fail-on error,warning "$deb"
echo "Built $deb ($(du -k "$deb" | cut -f1) KiB)"
