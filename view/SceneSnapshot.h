#pragma once
// What one frame draws: the document copied under modelLock, so that a frame
// never mixes coordinates from before and after a shaping sweep, with the
// shaping figures and the view's style and gesture outline.

#include <cstdint>
#include <vector>

#include "base/Math.h"
#include "model/Atom.h"
#include "model/Measurement.h"

namespace tf {

struct Document;
struct ForceFieldTables;
struct ShapingRun;
struct ViewState;

// The records a frame is drawn from.
struct SceneSources {
  Document& document;
  const ForceFieldTables& tables;
  const ShapingRun& shaping;
  const ViewState& view;
};

struct AtomAppearance {
  float x, y, z;
  uint32_t colour;  // 0xRRGGBB of the atom's ChemicalType, or its strain colour
  float radius;     // ChemicalType radius, Angstrom
  bool selected;
};

struct SceneSnapshot {
  std::vector<AtomAppearance> atoms;
  std::vector<Bond> bonds;  // only bonds whose both atoms are in use
  int32_t selectedCount = 0;
  uint32_t atomCount = 0;
  uint32_t bondCount = 0;  // as stored, for the overlay
  // The selected atoms' distance, angle or torsion at this frame's coordinates.
  Measurement measurement;
  bool shaping = false;
  bool minimizing = false;  // the run is a minimisation
  float energy = 0, energyChange = 0, stepScale = 0, rmsGradient = 0;
  int32_t modelStyle = 0;
  // Atoms coloured by their share of the energy, on the scale from the
  // lowest to the highest share (kcal/mol).
  bool colorByStrain = false;
  float strainLowest = 0, strainHighest = 0;
  // The dashed outline of an area selection in progress, client pixels
  // (a rectangle closes itself); empty when there is none.
  std::vector<Vector2> outline;
};

// Takes modelLock for the copy; the caller must not hold it, and holds
// renderLock while the view state may change. `scene` keeps its capacity
// between frames.
void TakeSceneSnapshot(const SceneSources& sources, SceneSnapshot& scene);

}  // namespace tf
