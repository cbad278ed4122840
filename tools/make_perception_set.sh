#!/usr/bin/env bash
# Makes the perception test set in tests/data/perception/ from smiles.txt
# (one "SMILES name" per line) with Open Babel's obabel program: each molecule
# built in 3-D with hydrogens, then written as SDF, MOL2 and XYZ (one file of
# all molecules each) and as one PDB file with and one without hydrogens.
# The committed files are the test data; running this again makes new ones
# (the 3-D builder is not deterministic).
set -euo pipefail
dir=$(cd "$(dirname "$0")/../tests/data/perception" && pwd)
cd "$dir"
rm -rf pdb-h pdb-heavy all.sdf all.mol2 all.xyz
mkdir -p pdb-h pdb-heavy
while read -r smiles name; do
  [[ -n $smiles ]] || continue
  obabel -:"$smiles" --gen3d -h --title "$name" -osdf -O "$name.tmp.sdf" 2>/dev/null
  cat "$name.tmp.sdf" >>all.sdf
  obabel "$name.tmp.sdf" -omol2 2>/dev/null >>all.mol2
  obabel "$name.tmp.sdf" -oxyz 2>/dev/null >>all.xyz
  obabel "$name.tmp.sdf" -opdb -O "pdb-h/$name.pdb" 2>/dev/null
  obabel "$name.tmp.sdf" -d -opdb -O "pdb-heavy/$name.pdb" 2>/dev/null
  rm "$name.tmp.sdf"
done <smiles.txt
echo "$(grep -c '\$\$\$\$' all.sdf) molecules in $dir"
