#!/usr/bin/env bash
# Takes docs/tessaform-window.png, the README's picture of the window: the
# program runs under Xvfb with the alanine dipeptide open.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release -DTF_BUILD_TESTS=OFF -DTF_BUILD_BENCH=OFF
cmake --build "$root/build" --target tf-screenshot
cd "$root/share"
xvfb-run -a -s "-screen 0 1280x1024x24" "$root/build/tf-screenshot" \
  samples/alanine-dipeptide.pdb "$root/docs/tessaform-window.png"
echo "wrote docs/tessaform-window.png"
