#!/usr/bin/env bash
# Installs what is missing and builds Orrikey into build/: everything, or only
# the targets given, e.g. scripts/build.sh orrikey.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build ${1:+--target "$@"}
