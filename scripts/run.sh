#!/usr/bin/env bash
# Sets everything up, builds, and converts the bundled example programs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build.sh
for program in examples/*.42S; do
  echo "== $program"
  build/cli/orrikey-cli encode "$program"
done
