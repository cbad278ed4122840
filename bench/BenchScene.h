#pragma once
// A drawable scene for the frame benchmarks: the synthetic molecule of
// BenchMolecules.h with the shipped parameter file's atom types, graphics
// started on a 700 x 600 client as the program starts them, the molecule
// centred in view.

#include <cstdint>
#include <memory>
#include <string>

#include "BenchMolecules.h"
#include "forcefield/ParameterFile.h"
#include "model/CenterMolecule.h"
#include "model/TableLookup.h"
#include "view/CameraOperations.h"
#include "view/Graphics.h"

namespace tf::bench {

struct SceneDeleter {
  void operator()(MoleculeStore* store) const {
    ReleaseGraphics(*store);
    delete store;
  }
};
using Scene = std::unique_ptr<MoleculeStore, SceneDeleter>;

inline Scene MakeBenchScene(uint32_t atomCount, int32_t style) {
  static const std::string config = std::string(TF_SOURCE_DIR) + "/share/config.ini";
  Scene scene(new MoleculeStore());
  scene->configPath = config.c_str();
  scene->shell.clientSize = [] { return ClientSize{700, 600}; };
  if (InitGraphics(*scene, 0) != 0) return nullptr;
  auto molecule = MakeBenchMolecule(atomCount);
  const std::u16string_view names[5] = {u"X", u"C3", u"C2", u"H", u"O3"};
  for (uint32_t i = 0; i < molecule->atomCount; ++i) {
    scene->atoms[i] = molecule->atoms[i];
    scene->atoms[i].atomType =
        FindAtomTypeByName(scene->tables, names[molecule->atoms[i].atomType]);
    scene->atoms[i].selected = i % 10 == 0;
  }
  scene->atomCount = molecule->atomCount;
  for (uint32_t k = 0; k < molecule->bondCount; ++k) scene->bonds[k] = molecule->bonds[k];
  scene->bondCount = molecule->bondCount;
  scene->modelStyle = style;
  CenterMolecule(*scene);
  FitZoom(*scene);
  return scene;
}

}  // namespace tf::bench
