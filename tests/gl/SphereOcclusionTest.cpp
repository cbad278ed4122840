// Which spheres the occlusion grid leaves out, checked against every pixel
// of a dense random cluster drawn exactly.

#include "view/gl/SphereOcclusion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <utility>
#include <vector>

namespace tf::test {
namespace {

// An untilted sphere: depth grows away from the viewer by `ez` per object unit.
SphereOutline Sphere(float x, float y, float z, float ex, float ey, float ez) {
  return {{x, y, z}, {ex, ey, ez}, {{1 / ex, 0, 0}, {0, 1 / ey, 0}, {0, 0, 1 / ez}}};
}

// The nearer hit at the device point (x, y), or infinity off the sphere.
double DepthAt(const SphereOutline& s, double x, double y) {
  const double u = (x - s.center[0]) / s.extent[0], v = (y - s.center[1]) / s.extent[1];
  const double squared = u * u + v * v;
  if (squared > 1) return std::numeric_limits<double>::infinity();
  return s.center[2] - s.extent[2] * std::sqrt(1 - squared);
}

TEST(SphereOcclusion, EveryLeftOutSphereLiesBehindAKeptOneAtEveryPixelAtAnyScale) {
  // Atoms of radius 1.2 to 2 A in a ball of 20 A at liquid density, seen 48 A
  // wide on 400 x 300 pixels, depth 1 across 400 A; some cut by the edges.
  constexpr uint32_t kWidth = 400, kHeight = 300;
  std::mt19937 random(3);
  std::uniform_real_distribution<float> unit(-1, 1), radius(1.2f, 2.0f);
  std::vector<SphereOutline> spheres;
  while (spheres.size() < 3000) {
    const float x = unit(random) * 20, y = unit(random) * 20, z = unit(random) * 20;
    if (x * x + y * y + z * z > 400) continue;
    const float r = radius(random);
    const float aspect = static_cast<float>(kWidth) / kHeight;
    spheres.push_back(
        Sphere(x / 24, y / 24 * aspect, 0.5f - z / 400, r / 24, r / 24 * aspect, r / 400));
  }
  SphereOcclusion occlusion;
  std::vector<uint8_t> hidden;
  occlusion.FindHidden(spheres, kWidth, kHeight, &hidden);
  size_t hiddenCount = 0;
  for (uint8_t h : hidden) hiddenCount += h;
  EXPECT_GT(hiddenCount, spheres.size() / 3) << hiddenCount;

  // At the target's pixels and at three times as many each way.
  for (uint32_t scale : {1u, 3u}) {
    const uint32_t width = kWidth * scale, height = kHeight * scale;
    // Device coordinate of pixel centre i of `count`, and the pixels a sphere's quad spans.
    const auto centre = [](uint32_t i, uint32_t count) { return -1 + 2 * (i + 0.5) / count; };
    const auto span = [](float middle, float extent, uint32_t count) {
      const auto at = [count](double v) {
        return static_cast<uint32_t>(std::clamp((v + 1) / 2 * count, 0.0, double{count}));
      };
      return std::pair{at(middle - extent), at(middle + extent)};
    };
    const auto forEachPixel = [&](const SphereOutline& s, const auto& visit) {
      const auto [left, right] = span(s.center[0], s.extent[0], width);
      const auto [bottom, top] = span(s.center[1], s.extent[1], height);
      for (uint32_t j = bottom; j < top; ++j)
        for (uint32_t i = left; i < right; ++i)
          visit(size_t{j} * width + i, DepthAt(s, centre(i, width), centre(j, height)));
    };
    std::vector<double> nearest(size_t{width} * height, std::numeric_limits<double>::infinity());
    for (size_t k = 0; k < spheres.size(); ++k)
      if (!hidden[k])
        forEachPixel(spheres[k],
                     [&](size_t at, double depth) { nearest[at] = std::min(nearest[at], depth); });
    for (size_t k = 0; k < spheres.size(); ++k)
      if (hidden[k])
        forEachPixel(spheres[k], [&](size_t at, double depth) {
          if (!std::isinf(depth))
            EXPECT_LT(nearest[at] + SphereOcclusion::kDepthMargin / 2, depth)
                << "sphere " << k << " shows at pixel " << at << " of " << width << " x " << height;
        });
  }
}

}  // namespace
}  // namespace tf::test
