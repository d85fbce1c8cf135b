#!/usr/bin/env bash
# Sets everything up, builds the editor alone, and starts it in the current
# folder; arguments go to the editor, e.g. scripts/run.sh examples/primes.42S.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/build.sh" orrikey
exec "$root/build/ui/orrikey" "$@"
