#!/usr/bin/env bash
# Builds the Debian package tarvik_VERSION_ARCH.deb (programs, font table,
# samples, desktop entry, icons, manual pages) in build-package/, and checks it
# with lintian. Install it with: apt-get install ./build-package/tarvik_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh qt6-base-dev dpkg-dev file lintian

build=build-package
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVIK_TESTS=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/tarvik_*.deb
(cd "$build" && cpack -G DEB)
deb=$(ls "$build"/tarvik_*.deb)
echo "Package: $deb"
dpkg-deb --field "$deb" Package Version Architecture Depends
# lintian checks a package against Debian's policy; what it reports is listed,
# it does not stop the script.
lintian --info "$deb" || true
