#include "view/SceneSnapshot.h"

#include <algorithm>
#include <mutex>

#include "model/Document.h"
#include "model/TableLookup.h"
#include "shaping/Energy.h"
#include "shaping/ShapingRun.h"
#include "view/StrainColours.h"
#include "view/ViewState.h"

namespace tf {

namespace {

void CopyOutline(const ViewState& view, std::vector<Vector2>& outline) {
  outline.clear();
  if (view.areaSelecting == 0) return;
  if (view.selectionTool == kRectangularTool) {
    const PointF s = view.rectStart, e = view.rectEnd;
    outline.assign({{s.x, s.y}, {e.x, s.y}, {e.x, e.y}, {s.x, e.y}, {s.x, s.y}});
  } else if (view.selectionTool == kFreeformTool) {
    const uint32_t count = std::min(view.outlineCount, kMaxOutlinePoints);
    for (uint32_t k = 0; k < count; ++k) outline.push_back({view.outline[k].x, view.outline[k].y});
  }
}

// Each atom's share of the energy at the document's current coordinates; the
// caller holds modelLock.
void ColourByStrain(const Document& document, const ForceFieldTables& tables,
                    SceneSnapshot& scene) {
  const std::vector<double> shares = AtomEnergies(document, tables);
  const StrainRange range = StrainRangeOf(shares);
  scene.strainLowest = static_cast<float>(range.lowest);
  scene.strainHighest = static_cast<float>(range.highest);
  const size_t count = std::min(shares.size(), scene.atoms.size());
  for (size_t i = 0; i < count; ++i)
    scene.atoms[i].colour = StrainColour(shares[i], range.lowest, range.highest);
}

}  // namespace

void TakeSceneSnapshot(const SceneSources& sources, SceneSnapshot& scene) {
  scene.modelStyle = sources.view.modelStyle;
  scene.colorByStrain = sources.view.colorByStrain;
  CopyOutline(sources.view, scene.outline);
  const Document& document = sources.document;
  std::lock_guard model(sources.document.modelLock);
  const uint32_t count = std::min(document.atomCount, kMaxAtoms);
  scene.atoms.resize(count);
  for (uint32_t i = 0; i < count; ++i) {
    const Atom& atom = document.atoms[i];
    const ChemicalType* chemical = ChemicalTypeOfAtomType(sources.tables, atom.atomType);
    scene.atoms[i] = {atom.x,
                      atom.y,
                      atom.z,
                      chemical ? chemical->colour : 0u,
                      chemical ? chemical->radius : 0.0f,
                      atom.selected != 0};
  }
  if (scene.colorByStrain) ColourByStrain(document, sources.tables, scene);
  scene.bonds.clear();
  const uint32_t bondCount = std::min(document.bondCount, kMaxBonds);
  const auto inUse = [count](int32_t index) {
    return index >= 0 && static_cast<uint32_t>(index) < count;
  };
  for (uint32_t k = 0; k < bondCount; ++k) {
    const Bond& bond = document.bonds[k];
    if (inUse(bond.atom1) && inUse(bond.atom2)) scene.bonds.push_back(bond);
  }
  scene.selectedCount = document.selectedCount;
  scene.atomCount = document.atomCount;
  scene.bondCount = document.bondCount;
  scene.measurement = MeasureSelection(document);
  const ShapingRun& shaping = sources.shaping;
  scene.shaping = shaping.shapingActive.load() != 0;
  scene.energy = shaping.energy;
  scene.energyChange = shaping.energyChange;
  scene.stepScale = shaping.stepScale;
  scene.minimizing = shaping.runKind == RunKind::kMinimizing;
  scene.rmsGradient = shaping.rmsGradient;
}

}  // namespace tf
