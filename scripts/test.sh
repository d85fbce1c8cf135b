#!/usr/bin/env bash
# Sets everything up, builds, and runs every test: a short fuzzing run, then
# the unit, window and command-line tests.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build.sh
scripts/fuzz-smoke.sh
ctest --test-dir build --output-on-failure
