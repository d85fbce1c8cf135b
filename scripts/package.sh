#!/usr/bin/env bash
# Installs what is missing, builds the two programs without the tests and
# benchmarks, and makes the Debian package build-package/orrikey_VERSION_ARCH.deb.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DORRIKEY_BENCHMARKS=OFF
cmake --build build-package
cd build-package
cpack
