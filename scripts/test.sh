#!/usr/bin/env bash
# Sets everything up, builds, and runs every test: a short fuzzing run, the
# unit, window and command-line tests, then the page's: driven in Debian's
# Chromium, and its core against the command line.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build.sh
scripts/fuzz-smoke.sh
# No test takes more than seconds; one that hangs fails after five minutes.
ctest --test-dir build --output-on-failure --timeout 300

scripts/build-web.sh
scripts/install-deps.sh chromium
# A browser that stops answering ends the run with a message rather than
# holding it.
(cd web && timeout --kill-after=10 600 npm test) || { echo "the browser test failed or took over ten minutes" >&2; exit 1; }
node web/test/core-vs-cli.mjs
