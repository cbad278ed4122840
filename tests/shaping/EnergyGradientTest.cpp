// The energy with its gradient: agreement with TotalEnergy, with central
// differences of itself for every choice of terms, and the per-atom split.

#include "shaping/EnergyGradient.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "ShapingFixtures.h"
#include "shaping/Energy.h"

namespace tf {
namespace {

// The molecules every check runs on: random ones and shipped samples.
std::vector<std::unique_ptr<test::Records>> Molecules() {
  std::vector<std::unique_ptr<test::Records>> molecules;
  for (uint32_t seed : {3u, 11u}) molecules.push_back(test::MakeRandomMolecule(40, seed));
  for (const char* name : {"benzene", "alanine-dipeptide", "acetone"})
    molecules.push_back(test::SampleRecords(name));
  return molecules;
}

// The components of the gradient from `first` on against a central
// difference of the energy. Returns how many were large enough to check.
int ExpectGradientMatchesDifferences(test::Records& records, uint32_t terms,
                                     const std::string& what, size_t first = 0) {
  EnergyModel model(records.document, records.tables, terms);
  std::vector<double> x = DocumentPositions(records.document);
  std::vector<double> gradient(x.size());
  const double energy = model.Evaluate(x, gradient);
  int checked = 0;
  for (size_t k = first; k < x.size(); ++k) {
    // Five-point stencil: close random contacts make the pair terms too stiff
    // for the plain central difference.
    const double h = 1e-5;
    const auto at = [&](double offset) {
      const double saved = x[k];
      x[k] = saved + offset;
      const double energy = model.Evaluate(x, {});
      x[k] = saved;
      return energy;
    };
    const double difference = (8 * (at(h) - at(-h)) - (at(2 * h) - at(-2 * h))) / (12 * h);
    if (std::fabs(gradient[k]) <= 1e-3) continue;
    ++checked;
    // The difference is only as exact as the rounding of the energy allows,
    // which matters for the random molecules' near-coincident atoms.
    const double rounding = 1e-15 * std::fabs(energy) / h;
    EXPECT_NEAR(gradient[k], difference, 1e-4 * std::fabs(gradient[k]) + rounding)
        << what << ", coordinate " << k;
  }
  return checked;
}

TEST(EnergyGradient, MatchesCentralDifferencesForEveryTermAloneAndEveryTermLeftOut) {
  const uint32_t kinds[] = {kTermDistances, kTermAngles,      kTermOutOfPlane,
                            kTermTorsions,  kTermVanDerWaals, kTermCoulomb};
  auto molecules = Molecules();
  std::map<uint32_t, int> checked;
  for (size_t m = 0; m < molecules.size(); ++m) {
    test::Records& records = *molecules[m];
    if (m >= 2) records.document.atoms[1].charge += 0.2f;  // samples may carry no charges
    for (uint32_t kind : kinds) {
      const std::string name = "molecule " + std::to_string(m) + ", terms 0x";
      checked[kind] += ExpectGradientMatchesDifferences(records, kind, name + std::to_string(kind));
      ExpectGradientMatchesDifferences(records, kAllTerms & ~kind,
                                       name + "3F without " + std::to_string(kind));
    }
  }
  for (uint32_t kind : kinds) EXPECT_GT(checked[kind], 10) << "terms 0x" << kind;
}

// Large enough for the pair loop to be cut into chunks of rows, each adding
// its partners' gradients apart: the last atoms are partners of every chunk.
TEST(EnergyGradient, MatchesCentralDifferencesWhenThePairLoopIsChunked) {
  auto records = test::MakeLatticeMolecule(1100, 12);
  EXPECT_EQ(ExpectGradientMatchesDifferences(*records, kAllTerms, "chunked", 3 * 1096), 12);
}

TEST(EnergyGradient, EnergyIsTotalEnergyAndTheSplitAddsUpToIt) {
  for (auto& records : Molecules()) {
    const double total = ComputeEnergyComponents(records->document, records->tables).total;
    EnergyModel model(records->document, records->tables, kAllTerms);
    const double energy = model.Evaluate(DocumentPositions(records->document), {});
    EXPECT_NEAR(energy, total, 2e-5 * (1.0 + std::fabs(total)));
    double sum = 0.0;
    for (double share : AtomEnergies(records->document, records->tables)) sum += share;
    EXPECT_NEAR(sum, total, 1e-6 * (1.0 + std::fabs(total)));
  }
}

TEST(EnergyGradient, SplitsATermEvenlyOverItsAtoms) {
  auto records = test::MakeShapingRecords();
  records->tables.stiffness.distances = 2.0f;
  test::AddTestAtom(*records, test::kSp0, 0, 0, 0);
  test::AddTestAtom(*records, test::kSp0, 1.5f, 0, 0);
  test::AddTestAtom(*records, test::kSp0, 9, 0, 0);
  test::AddTestBond(*records, 0, 1);
  const std::vector<double> shares = AtomEnergies(records->document, records->tables);
  // 2 * (1.5 - 1)^2 = 0.5, half to each end; the far atom has no term.
  EXPECT_NEAR(shares[0], 0.25, 1e-12);
  EXPECT_NEAR(shares[1], 0.25, 1e-12);
  EXPECT_EQ(shares[2], 0.0);
}

}  // namespace
}  // namespace tf
