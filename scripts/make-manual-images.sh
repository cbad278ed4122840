#!/usr/bin/env bash
# Remakes the pictures of the user manual (share/manual/*.png) with
# tessaform-cli render, run in share/ like the program itself.
#   scripts/make-manual-images.sh [BUILD_DIR]     (default: build)
# Builds tessaform-cli first when BUILD_DIR does not hold it yet.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/${1:-build}
cli=$build/tessaform-cli
if [[ ! -x $cli ]]; then
  if [[ ! -f $build/CMakeCache.txt ]]; then
    cmake -S "$root" -B "$build" -G Ninja -DTF_BUILD_TESTS=OFF -DTF_BUILD_BENCH=OFF >/dev/null
  fi
  cmake --build "$build" -j2 --target tessaform-cli
fi

cd "$root/share"
mkdir -p manual
molecule=samples/alanine-dipeptide
view=(--rotate "20,-25" --size 560x420)

# The four model styles, same molecule and orientation.
for style in wireframe spacefill sticks ball-stick; do
  "$cli" render "$molecule.pdb" "manual/$style.png" --style "$style" "${view[@]}"
done

# Two selected atoms: the first amide nitrogen and the second carbonyl oxygen,
# whose colours show the selection pattern clearly. Zoomed out a little, so
# the measurement line below the counts stays clear of the molecule.
"$cli" render "$molecule.pdb" manual/selection.png --select 3,7 "${view[@]}" --zoom 1.7

# Four atoms selected in order, C-N-CA-CB: their torsion below the counts,
# turned so that all four show.
"$cli" render "$molecule.pdb" manual/measuring.png --select 1,3,5,8 --rotate 20,30 \
  --size 560x420 --zoom 1.5

# Shaping: every atom pushed up to 0.45 A off its place (a fixed pattern, so
# the picture is the same each time), then 1000 shaping iterations.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
awk '/^(ATOM|HETATM)/ {
       i++
       x = substr($0, 31, 8) + 0.45 * sin(i * 1.7)
       y = substr($0, 39, 8) + 0.45 * sin(i * 2.3 + 1)
       z = substr($0, 47, 8) + 0.45 * sin(i * 3.1 + 2)
       printf "%s%8.3f%8.3f%8.3f%s\n", substr($0, 1, 30), x, y, z, substr($0, 55)
       next
     }
     { print }' "$molecule.pdb" >"$work/pushed.pdb"
cp "$molecule.tftopology" "$work/pushed.tftopology"
cp "$molecule.tfatoms" "$work/pushed.tfatoms"
if ! "$cli" shape "$work/pushed.pdb" "$work/shaped.pdb" --sweeps 1000 --seed 1 \
  >/dev/null 2>"$work/shape.log"; then
  tail -n 1 "$work/shape.log" >&2
  exit 1
fi
"$cli" render "$work/pushed.pdb" manual/shaping-before.png "${view[@]}"
"$cli" render "$work/shaped.pdb" manual/shaping-after.png "${view[@]}"

ls -l manual/*.png
