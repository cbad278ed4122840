#pragma once
// What one frame draws of the document, copied under modelLock so that a
// frame never mixes coordinates from before and after a shaping sweep.

#include <cstdint>
#include <vector>

#include "model/Atom.h"

namespace tf {

struct MoleculeStore;

struct AtomAppearance {
  float x, y, z;
  uint32_t colour;  // 0xRRGGBB of the atom's ChemicalType
  float radius;     // ChemicalType radius, Angstrom
  bool selected;
};

struct SceneSnapshot {
  std::vector<AtomAppearance> atoms;
  std::vector<Bond> bonds;  // only bonds whose both atoms are in use
  int32_t selectedCount = 0;
  uint32_t atomCount = 0;
  uint32_t bondCount = 0;  // as stored, for the overlay
  bool shaping = false;
  float energy = 0, energyChange = 0, stepScale = 0;
};

// Takes modelLock for the copy; the caller must not hold it. `scene` keeps
// its capacity between frames.
void TakeSceneSnapshot(MoleculeStore& store, SceneSnapshot& scene);

}  // namespace tf
