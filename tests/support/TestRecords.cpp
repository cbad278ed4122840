#include "support/TestRecords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include "base/FixedText.h"
#include "forcefield/ParameterFile.h"
#include "shaping/ShapingWorker.h"
#include "support/ShippedConfig.h"
#include "view/CameraOperations.h"
#include "view/Graphics.h"
#include "view/GraphicsDevice.h"

namespace tf::test {

namespace {

void SetChemical(ForceFieldTables& tables, int32_t index, std::u16string_view name,
                 std::u16string_view symbol, float radius) {
  ChemicalType& chemical = tables.chemicalTypes[index];
  SetText(chemical.name, name);
  SetText(chemical.symbol, symbol);
  chemical.radius = radius;
}

void SetAtomTypeRecord(ForceFieldTables& tables, int32_t index, std::u16string_view name,
                       int32_t chemical, int32_t hybridization) {
  AtomType& type = tables.atomTypes[index];
  SetText(type.name, name);
  type.chemicalType = chemical;
  type.hybridization = hybridization;
}

void SetDistance(ForceFieldTables& tables, int32_t a, int32_t b, float distance) {
  tables.equilibriumDistance[a][b] = distance;
  tables.equilibriumDistance[b][a] = distance;
}

}  // namespace

void FillTestTables(ForceFieldTables& tables) {
  tables = ForceFieldTables{};
  SetChemical(tables, kCarbon, u"Carbon", u"C", 0.77f);
  SetChemical(tables, kHydrogen, u"Hydrogen", u"H", 0.37f);
  SetChemical(tables, kOxygen, u"Oxygen", u"O", 0.73f);
  SetChemical(tables, kNitrogen, u"Nitrogen", u"N", 0.75f);
  SetChemical(tables, kNeon, u"Neon", u"Ne", 0.38f);
  tables.chemicalTypeCount = 5;
  SetAtomTypeRecord(tables, kH, u"H", kHydrogen, 0);
  SetAtomTypeRecord(tables, kC3, u"C3", kCarbon, 3);
  SetAtomTypeRecord(tables, kC2, u"C2", kCarbon, 2);
  SetAtomTypeRecord(tables, kO2, u"O2", kOxygen, 2);
  SetAtomTypeRecord(tables, kN3, u"N3", kNitrogen, 3);
  SetAtomTypeRecord(tables, kC1, u"C1", kCarbon, 1);
  tables.atomTypeCount = 6;
  tables.defaultAtomType = kC3;
  SetDistance(tables, kC3, kC3, 1.54f);
  SetDistance(tables, kC3, kC2, 1.50f);
  SetDistance(tables, kC2, kC2, 1.34f);
  SetDistance(tables, kC3, kH, 1.09f);
  SetDistance(tables, kC2, kH, 1.08f);
  SetDistance(tables, kC2, kO2, 1.22f);
  SetDistance(tables, kC3, kO2, 1.43f);
  SetDistance(tables, kN3, kC3, 1.47f);
  SetDistance(tables, kN3, kH, 1.01f);
  SetDistance(tables, kC1, kC3, 1.46f);
  SetDistance(tables, kC1, kH, 1.06f);
}

std::unique_ptr<Records> MakeTestRecords() {
  auto records = std::make_unique<Records>();
  FillTestTables(records->tables);
  Camera& camera = records->view.camera;
  camera.viewportWidth = 800;
  camera.viewportHeight = 600;
  camera.presentRect = PixelRect{0, 24, 800, 600};
  ResetView(records->view, records->resources);
  return records;
}

std::unique_ptr<Records> RecordsWithShippedConfig() {
  auto records = std::make_unique<Records>();
  EXPECT_TRUE(LoadParameterFile(records->tables, SourcePath("share/config.ini").c_str()));
  return records;
}

void GraphicsRecordsDeleter::operator()(Records* records) const {
  ShutdownShaping(records->shaping);
  ReleaseGraphics(records->resources);
  delete records;
}

GraphicsRecords StartGraphics(int32_t width, int32_t height, int32_t toolbarHeight) {
  GraphicsRecords records(RecordsWithShippedConfig().release());
  EXPECT_EQ(InitGraphics(records->resources, records->view, width, height, toolbarHeight), 0);
  Records* started = records.get();
  started->shaping.afterStep = [started] { Redraw(started->resources, SceneOf(*started)); };
  return records;
}

std::shared_ptr<const Frame> DrawAndTake(Records& records) {
  GraphicsDevice* device = records.resources.device;
  if (device == nullptr) return nullptr;
  const auto before = device->LatestFrame();
  Redraw(records.resources, SceneOf(records));
  const auto after = device->LatestFrame();
  return after == before ? nullptr : after;
}

uint32_t PutAtom(Document& document, float x, float y, float z, int32_t atomType) {
  const uint32_t index = document.atomCount++;
  Atom& atom = document.atoms[index];
  atom = Atom{};
  atom.x = x;
  atom.y = y;
  atom.z = z;
  atom.atomType = atomType;
  return index;
}

void PutBond(Document& document, int32_t atom1, int32_t atom2) {
  document.bonds[document.bondCount++] = Bond{atom1, atom2};
}

int BrokenInvariants(const Document& document) {
  if (document.atomCount > kMaxAtoms || document.bondCount > kMaxBonds) return 1;
  int broken = 0;
  for (uint32_t b = 0; b < document.bondCount; ++b) {
    const Bond& bond = document.bonds[b];
    if (bond.atom1 < 0 || static_cast<uint32_t>(bond.atom1) >= document.atomCount) ++broken;
    if (bond.atom2 < 0 || static_cast<uint32_t>(bond.atom2) >= document.atomCount) ++broken;
  }
  int32_t selected = 0;
  for (uint32_t i = 0; i < document.atomCount; ++i) selected += document.atoms[i].selected;
  if (selected != document.selectedCount) ++broken;
  if (document.selectionOrderCount > kSelectionOrderCapacity) return broken + 1;
  const uint32_t* order = document.selectionOrder;
  for (uint32_t k = 0; k < document.selectionOrderCount; ++k)
    if (order[k] >= document.atomCount || document.atoms[order[k]].selected == 0 ||
        std::find(order, order + k, order[k]) != order + k)
      ++broken;
  return broken;
}

}  // namespace tf::test
