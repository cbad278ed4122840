// Gradient minimisation: convergence, fixed atoms and the step limit.

#include "shaping/Minimizer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ShapingFixtures.h"
#include "shaping/Energy.h"

namespace tf {
namespace {

void RunToEnd(Minimizer& minimizer) {
  while (minimizer.Step()) {
  }
}

TEST(Minimizer, ConvergesOnTheSamplesToWhatTotalEnergyShows) {
  for (const char* name : {"benzene", "alanine-dipeptide", "ethanol"}) {
    auto records = test::SampleRecords(name);
    Minimizer minimizer(records->document, records->tables, MinimizeSettings{});
    RunToEnd(minimizer);
    EXPECT_EQ(minimizer.Status(), MinimizeStatus::kConverged) << name;
    EXPECT_LE(minimizer.RmsGradient(), 0.01) << name;
    EXPECT_LT(minimizer.Energy(), minimizer.InitialEnergy()) << name;
    EXPECT_GT(minimizer.Evaluations(), minimizer.Steps()) << name;
    minimizer.WriteTo(records->document);
    const double shown = ComputeEnergyComponents(records->document, records->tables).total;
    EXPECT_NEAR(shown, minimizer.Energy(), 1e-4 * (1.0 + std::fabs(shown))) << name;
  }
}

TEST(Minimizer, MovesOnlyTheSelectedAtoms) {
  auto records = test::SampleRecords("alanine-dipeptide");
  Document& document = records->document;
  for (uint32_t i : {0u, 16u, 17u, 18u}) SelectAtom(document, i);  // the acetyl methyl group
  const std::vector<Atom> before(document.atoms, document.atoms + document.atomCount);
  Minimizer minimizer(document, records->tables, MinimizeSettings{});
  RunToEnd(minimizer);
  minimizer.WriteTo(document);
  for (uint32_t i = 0; i < document.atomCount; ++i) {
    const Atom& a = before[i];
    const Atom& b = document.atoms[i];
    const bool moved = a.x != b.x || a.y != b.y || a.z != b.z;
    EXPECT_EQ(moved, a.selected != 0) << "atom " << i;
  }
  EXPECT_LT(minimizer.Energy(), minimizer.InitialEnergy());
}

TEST(Minimizer, StopsAtTheStepLimitAndNeverRaisesTheEnergy) {
  auto records = test::MakeRandomMolecule(60, 5);
  MinimizeSettings settings;
  settings.maxSteps = 5;
  Minimizer minimizer(records->document, records->tables, settings);
  double last = minimizer.Energy();
  while (minimizer.Step()) {
    EXPECT_LT(minimizer.Energy(), last);
    last = minimizer.Energy();
  }
  EXPECT_EQ(minimizer.Status(), MinimizeStatus::kStepLimit);
  EXPECT_EQ(minimizer.Steps(), 5);
}

}  // namespace
}  // namespace tf
