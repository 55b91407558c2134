#!/usr/bin/env bash
# Installs what is missing, builds the program in Release and makes the Debian package
# build/package/vantrel_<version>_<architecture>.deb; install it with
#     apt-get install ./build/package/vantrel_*.deb
# JOBS=N limits the build's parallel jobs (default: all cores).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/deps.sh "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"

cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_TESTS=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr
cmake --build build/package -j "${JOBS:-$(nproc)}"
cd build/package
cpack -G DEB
ls "$PWD"/vantrel_*.deb
