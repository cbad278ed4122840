#!/usr/bin/env bash
# Sets up, builds (Release) and starts the desktop program in share/, where it
# finds config.ini. With a molecule file (.pdb .ent .sdf .mol .mol2 .xyz .cif
# .mmcif .cml, any case) as the first argument the program opens that file
# (named from the current folder); with other arguments it runs
# tessaform-cli ARGS in share/ instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release -DTF_BUILD_TESTS=OFF -DTF_BUILD_BENCH=OFF
shopt -s nocasematch
if (($#)) && [[ $1 =~ \.(pdb|ent|sdf|mol|mol2|xyz|cif|mmcif|cml)$ ]]; then
  file=$(realpath -m -- "$1")
  cd "$root/share"
  exec "$root/build/tessaform" "$file"
fi
shopt -u nocasematch
cd "$root/share"
if (($#)); then
  exec "$root/build/tessaform-cli" "$@"
fi
exec "$root/build/tessaform"
