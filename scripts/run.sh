#!/usr/bin/env bash
# Sets up, builds (Release) and starts the desktop program in share/, where it
# finds config.ini. With arguments it runs tessaform-cli ARGS in share/ instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release -DTF_BUILD_TESTS=OFF -DTF_BUILD_BENCH=OFF
cd "$root/share"
if (($#)); then
  exec "$root/build/tessaform-cli" "$@"
fi
exec "$root/build/tessaform"
