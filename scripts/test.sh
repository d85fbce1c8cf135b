#!/usr/bin/env bash
# Sets everything up, builds, and runs every test: a short fuzzing run, the
# unit, window and command-line tests, then the page's: driven in Debian's
# Chromium, and its core against the command line.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build.sh
scripts/fuzz-smoke.sh
ctest --test-dir build --output-on-failure

scripts/build-web.sh
scripts/install-deps.sh chromium
(cd web && npm test)
node web/test/core-vs-cli.mjs
