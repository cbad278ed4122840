// Colouring atoms by their share of the energy: the ramp, and a frame of a
// molecule with one bond stretched far.

#include "view/StrainColours.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "base/FixedText.h"
#include "io/MoleculeFileCommands.h"
#include "model/AtomEditing.h"
#include "shaping/Energy.h"
#include "support/ShippedConfig.h"
#include "support/TestRecords.h"
#include "view/GraphicsDevice.h"
#include "view/Mesh.h"
#include "view/Texture.h"
#include "view/ViewResources.h"

namespace tf {
namespace {

TEST(StrainColours, RampRunsFromBlueThroughWhiteToRed) {
  EXPECT_EQ(StrainColour(-3, -3, 5), 0x0000FFu);
  EXPECT_EQ(StrainColour(-1, -3, 5), 0x8080FFu);
  EXPECT_EQ(StrainColour(1, -3, 5), 0xFFFFFFu);
  EXPECT_EQ(StrainColour(3, -3, 5), 0xFF8080u);
  EXPECT_EQ(StrainColour(5, -3, 5), 0xFF0000u);
  EXPECT_EQ(StrainColour(50, -3, 5), 0xFF0000u);
  EXPECT_EQ(StrainColour(2, 2, 2), 0xFFFFFFu) << "all values equal";
  EXPECT_EQ(StrainColour(std::nan(""), -3, 5), 0xFFFFFFu);

  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  const std::vector<double> values{3, -1, kInfinity, std::nan(""), 2};
  const StrainRange range = StrainRangeOf(values);
  EXPECT_EQ(range.lowest, -1);
  EXPECT_EQ(range.highest, 3);
  EXPECT_EQ(StrainRangeOf({}).highest, 0);
}

// Red minus blue grows linearly along the whole ramp.
int Redness(uint32_t rgb) {
  return static_cast<int>(rgb >> 16 & 0xFF) - static_cast<int>(rgb & 0xFF);
}

uint32_t ColourOf(const Material& material) {
  const auto channel = [](float c) { return static_cast<uint32_t>(std::lround(c * 255.0f)); };
  return channel(material.diffuse.r) << 16 | channel(material.diffuse.g) << 8 |
         channel(material.diffuse.b);
}

TEST(StrainColours, AFarStretchedBondMakesItsAtomsTheReddestAndTheScaleShowsItsEnds) {
  auto records = test::StartGraphics();
  Document& document = records->document;
  ASSERT_TRUE(OpenMoleculeFile(document, records->tables,
                               FromUtf8(test::SourcePath("share/samples/ethanol.pdb")))
                  .read);
  // The hydroxyl hydrogen (3) pulled 3 A further out along its bond to the
  // oxygen (2): its angles and torsions stay as they were.
  Atom& oxygen = document.atoms[2];
  Atom& hydrogen = document.atoms[3];
  const float dx = hydrogen.x - oxygen.x, dy = hydrogen.y - oxygen.y, dz = hydrogen.z - oxygen.z;
  const float stretch = 3.0f / std::sqrt(dx * dx + dy * dy + dz * dz);
  hydrogen.x += dx * stretch;
  hydrogen.y += dy * stretch;
  hydrogen.z += dz * stretch;
  SelectAtom(document, 0);
  records->view.colorByStrain = true;

  const auto frame = test::DrawAndTake(*records);
  ASSERT_NE(frame, nullptr);
  const ViewResources& graphics = records->resources;
  std::vector<const MeshItem*> spheres;
  for (const MeshItem* item : frame->ItemsOf<MeshItem>())
    if (item->geometry == graphics.sphereMesh->Geometry()) spheres.push_back(item);
  ASSERT_EQ(spheres.size(), document.atomCount);
  std::vector<uint32_t> colours;
  for (const MeshItem* sphere : spheres) colours.push_back(ColourOf(sphere->material));
  std::vector<size_t> reddestFirst(colours.size());
  for (size_t i = 0; i < colours.size(); ++i) reddestFirst[i] = i;
  std::sort(reddestFirst.begin(), reddestFirst.end(),
            [&](size_t a, size_t b) { return Redness(colours[a]) > Redness(colours[b]); });
  EXPECT_EQ(std::min(reddestFirst[0], reddestFirst[1]), 2u);
  EXPECT_EQ(std::max(reddestFirst[0], reddestFirst[1]), 3u);
  EXPECT_EQ(colours[reddestFirst.front()], 0xFF0000u);
  EXPECT_EQ(colours[reddestFirst.back()], 0x0000FFu);
  EXPECT_EQ(spheres[0]->texture, graphics.selectionTexture->Image()) << "selection highlight";

  const std::vector<double> shares = AtomEnergies(document, records->tables);
  const auto [lowest, highest] = std::minmax_element(shares.begin(), shares.end());
  const TextItem* grid = nullptr;
  const TextItem* strain = nullptr;
  for (const TextItem* text : frame->ItemsOf<TextItem>()) {
    if (text->text.starts_with(u"Grid Scale: ")) grid = text;
    if (text->text.starts_with(u"Strain: ")) strain = text;
  }
  ASSERT_TRUE(grid && strain);
  char expected[80];
  std::snprintf(expected, sizeof expected, "Strain: %.2f .. %.2f kcal/mol", *lowest, *highest);
  EXPECT_EQ(strain->text, FromUtf8(expected));
  EXPECT_EQ(strain->format, grid->format);
  EXPECT_EQ(strain->rect.bottom, grid->rect.bottom - std::abs(grid->font.height))
      << "one line above the grid scale";
}

}  // namespace
}  // namespace tf
