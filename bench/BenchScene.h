#pragma once
// A drawable scene for the frame benchmarks: the synthetic molecule of
// BenchMolecules.h with the shipped parameter file's atom types, graphics
// started on a 700 x 600 client as the program starts them, the molecule
// centred in view.

#include <cstdint>
#include <memory>
#include <string>

#include "BenchMolecules.h"
#include "app/Application.h"
#include "forcefield/ParameterFile.h"
#include "model/CenterMolecule.h"
#include "model/TableLookup.h"
#include "view/CameraOperations.h"
#include "view/Graphics.h"

namespace tf::bench {

struct SceneDeleter {
  void operator()(ApplicationRecords* records) const {
    ReleaseGraphics(records->resources);
    delete records;
  }
};
using Scene = std::unique_ptr<ApplicationRecords, SceneDeleter>;

inline Scene MakeBenchScene(uint32_t atomCount, int32_t style) {
  static const std::string config = std::string(TF_SOURCE_DIR) + "/share/config.ini";
  Scene scene(new ApplicationRecords());
  if (!LoadParameterFile(scene->tables, config.c_str())) return nullptr;
  if (InitGraphics(scene->resources, scene->view, 700, 600, 0) != 0) return nullptr;
  auto molecule = MakeBenchMolecule(atomCount);
  const std::u16string_view names[5] = {u"X", u"C3", u"C2", u"H", u"O3"};
  for (uint32_t i = 0; i < molecule->document.atomCount; ++i) {
    scene->document.atoms[i] = molecule->document.atoms[i];
    scene->document.atoms[i].atomType =
        FindAtomTypeByName(scene->tables, names[molecule->document.atoms[i].atomType]);
    scene->document.atoms[i].selected = i % 10 == 0;
  }
  scene->document.atomCount = molecule->document.atomCount;
  for (uint32_t k = 0; k < molecule->document.bondCount; ++k)
    scene->document.bonds[k] = molecule->document.bonds[k];
  scene->document.bondCount = molecule->document.bondCount;
  scene->view.modelStyle = style;
  CenterMolecule(scene->document);
  FitZoom(scene->view, scene->resources, scene->document, scene->tables);
  return scene;
}

}  // namespace tf::bench
