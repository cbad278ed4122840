// The vectorised pair loop: partner ranges and include flags, and identical
// sums from both builds of it.

#include "shaping/PairKernel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace tf::shaping {
namespace {

struct Columns {
  std::vector<float> x, y, z, halfSigma, rootEpsilon, charge;
  std::vector<uint32_t> include;
};

Columns RandomColumns(uint32_t count, std::mt19937& random) {
  Columns c;
  const size_t padded = (count + 7) / 8 * 8;
  std::uniform_real_distribution<float> coordinate(-6.0f, 6.0f);
  std::uniform_real_distribution<float> unit(0.1f, 1.0f);
  for (auto* column : {&c.x, &c.y, &c.z, &c.halfSigma, &c.rootEpsilon, &c.charge})
    column->assign(padded, 0.0f);
  c.include.assign(padded, 0u);
  for (uint32_t i = 0; i < count; ++i) {
    c.x[i] = coordinate(random);
    c.y[i] = coordinate(random);
    c.z[i] = coordinate(random);
    c.halfSigma[i] = 1.5f * unit(random);
    c.rootEpsilon[i] = unit(random);
    c.charge[i] = unit(random) - 0.55f;
    c.include[i] = random() % 7 ? ~0u : 0u;
  }
  return c;
}

PairKernelInput InputFor(const Columns& c, uint32_t begin, uint32_t end) {
  PairKernelInput in{};
  in.x = c.x.data();
  in.y = c.y.data();
  in.z = c.z.data();
  in.halfSigma = c.halfSigma.data();
  in.rootEpsilon = c.rootEpsilon.data();
  in.charge = c.charge.data();
  in.include = c.include.data();
  in.begin = begin;
  in.end = end;
  in.px[0] = 0.3f, in.py[0] = -0.2f, in.pz[0] = 0.1f;
  in.px[1] = 1.1f, in.py[1] = 0.4f, in.pz[1] = -0.9f;
  in.positionCount = 2;
  in.ownHalfSigma = 1.2f;
  in.lennardJones = in.coulomb = true;
  return in;
}

// Straightforward double-precision sums over the same partners.
PairKernelSums PlainSums(const Columns& c, const PairKernelInput& in) {
  double lj[2] = {0, 0}, coulomb[2] = {0, 0};
  for (uint32_t j = in.begin; j < in.end; ++j) {
    if (!c.include[j]) continue;
    for (int k = 0; k < in.positionCount; ++k) {
      const double dx = c.x[j] - in.px[k], dy = c.y[j] - in.py[k], dz = c.z[j] - in.pz[k];
      const double r = std::sqrt(std::max(dx * dx + dy * dy + dz * dz, 1e-6));
      const double t = std::min(std::pow((in.ownHalfSigma + c.halfSigma[j]) / r, 6.0), 1e12);
      lj[k] += c.rootEpsilon[j] * (t * t - t);
      coulomb[k] += c.charge[j] / r;
    }
  }
  return {{static_cast<float>(lj[0]), static_cast<float>(lj[1])},
          {static_cast<float>(coulomb[0]), static_cast<float>(coulomb[1])}};
}

TEST(PairKernel, SumsExactlyThePartnersInRangeWithTheirFlagSet) {
  std::mt19937 random(4);
  const Columns c = RandomColumns(203, random);
  const uint32_t ranges[][2] = {{0, 203}, {1, 203}, {7, 9}, {8, 16}, {13, 14}, {5, 5}, {90, 40}};
  for (const auto& range : ranges) {
    const PairKernelInput in = InputFor(c, range[0], range[1]);
    PairKernelSums sums;
    RunPairKernel(in, sums);
    const PairKernelSums plain = PlainSums(c, in);
    for (int k = 0; k < 2; ++k) {
      SCOPED_TRACE(testing::Message() << "range " << range[0] << ".." << range[1] << " k " << k);
      EXPECT_NEAR(sums.lennardJones[k], plain.lennardJones[k],
                  1e-5f * (1 + std::fabs(plain.lennardJones[k])));
      EXPECT_NEAR(sums.coulomb[k], plain.coulomb[k], 1e-5f * (1 + std::fabs(plain.coulomb[k])));
    }
  }
}

TEST(PairKernel, OnePositionAndSingleTermsGiveTheSameSums) {
  std::mt19937 random(6);
  const Columns c = RandomColumns(77, random);
  PairKernelInput both = InputFor(c, 3, 77);
  PairKernelSums reference;
  RunPairKernel(both, reference);
  PairKernelInput single = both;
  single.positionCount = 1;
  single.coulomb = false;
  PairKernelSums sums;
  RunPairKernel(single, sums);
  EXPECT_EQ(sums.lennardJones[0], reference.lennardJones[0]);
  EXPECT_EQ(sums.coulomb[0], 0.0f);
  single.coulomb = true;
  single.lennardJones = false;
  RunPairKernel(single, sums);
  EXPECT_EQ(sums.coulomb[0], reference.coulomb[0]);
  EXPECT_EQ(sums.lennardJones[0], 0.0f);
}

TEST(PairKernel, BothBuildsAgreeToTheLastBit) {
  if (!PairKernelAvx2Available()) GTEST_SKIP() << "no AVX2 on this processor";
  std::mt19937 random(8);
  for (uint32_t count : {1u, 8u, 31u, 500u, 7000u}) {
    Columns c = RandomColumns(count, random);
    c.x[0] = 0.3f, c.y[0] = -0.2f, c.z[0] = 0.1f;  // coincident with position 0
    const PairKernelInput in = InputFor(c, count / 3, count);
    PairKernelSums baseline, avx2;
    PairKernelBaseline(in, baseline);
    PairKernelAvx2(in, avx2);
    for (int k = 0; k < 2; ++k) {
      EXPECT_EQ(baseline.lennardJones[k], avx2.lennardJones[k]) << count;
      EXPECT_EQ(baseline.coulomb[k], avx2.coulomb[k]) << count;
      EXPECT_TRUE(std::isfinite(baseline.lennardJones[k]));
    }
  }
}

}  // namespace
}  // namespace tf::shaping
