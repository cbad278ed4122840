#include "view/gl/SphereOcclusion.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tf {

namespace {

// Only cells well inside a sphere's outline count as covered: towards the
// outline the surface turns steep and the GPU's depth there less certain.
constexpr double kInnerSquared = 0.9;

constexpr double kNoCover = std::numeric_limits<double>::infinity();

// The index of the cell or lattice line at device coordinate `at`, clamped to [0, last].
uint32_t IndexAt(double at, double cellSize, uint32_t last, bool roundUp) {
  const double index = roundUp ? std::ceil((at + 1) / cellSize) : std::floor((at + 1) / cellSize);
  return static_cast<uint32_t>(std::clamp(index, 0.0, static_cast<double>(last)));
}

// The ray caster's depth of the nearer hit at offset (dx, dy) from the
// centre, as the sphere shaders compute it; NaN outside the inner part of
// the outline.
class SurfaceDepth {
 public:
  explicit SurfaceDepth(const SphereOutline& sphere) : depth_(sphere.center[2]) {
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) rows_[r][c] = sphere.toObject[r][c];
    const double stepLength = std::sqrt(Dot(rows_[2], rows_[2]));
    for (int c = 0; c < 3; ++c) ray_[c] = rows_[2][c] / stepLength;
    depthPerUnit_ = 1 / stepLength;
  }

  double At(double dx, double dy) const {
    double origin[3], crossing[3];
    for (int c = 0; c < 3; ++c) origin[c] = dx * rows_[0][c] + dy * rows_[1][c];
    const double along = Dot(origin, ray_);
    for (int c = 0; c < 3; ++c) crossing[c] = origin[c] - along * ray_[c];
    const double squared = Dot(crossing, crossing);
    if (!(squared <= kInnerSquared)) return std::numeric_limits<double>::quiet_NaN();
    return depth_ - (along + std::sqrt(1 - squared)) * depthPerUnit_;
  }

 private:
  static double Dot(const double* a, const double* b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
  }
  double rows_[3][3];
  double ray_[3];
  double depth_;
  double depthPerUnit_;
};

// The nearest point of the sphere, whatever pixel the ray goes through.
double Nearest(const SphereOutline& sphere) {
  return static_cast<double>(sphere.center[2]) - sphere.extent[2];
}

}  // namespace

void SphereOcclusion::FindHidden(const std::vector<SphereOutline>& spheres, uint32_t width,
                                 uint32_t height, std::vector<uint8_t>* hidden) {
  hidden->assign(spheres.size(), 0);
  if (width == 0 || height == 0) return;
  columns_ = (width + kCellPixels - 1) / kCellPixels;
  rows_ = (height + kCellPixels - 1) / kCellPixels;
  cellWidth_ = 2.0 * kCellPixels / width;
  cellHeight_ = 2.0 * kCellPixels / height;
  farthest_.assign(static_cast<size_t>(columns_) * rows_, kNoCover);
  // Nearest first: a sphere can only be hidden by spheres whose nearest point
  // lies in front of its own, so once those are in the grid the test is final,
  // and a hidden sphere would lower no cell.
  order_.resize(spheres.size());
  for (size_t i = 0; i < spheres.size(); ++i)
    order_[i] = {Nearest(spheres[i]), static_cast<uint32_t>(i)};
  std::sort(order_.begin(), order_.end());
  for (const auto& [nearest, index] : order_) {
    if (Hidden(spheres[index]))
      (*hidden)[index] = 1;
    else
      Occlude(spheres[index]);
  }
}

// The depth along a ray is a convex function of the offset inside the
// outline, so over a cell whose corners all lie inside it is greatest at a corner.
void SphereOcclusion::Occlude(const SphereOutline& sphere) {
  const double cx = sphere.center[0], cy = sphere.center[1];
  const double ex = sphere.extent[0], ey = sphere.extent[1];
  // Fragments nearer than depth 0 are clipped away and hide nothing.
  if (!(Nearest(sphere) >= kDepthMargin)) return;
  // The inner part of the outline is the outline scaled about the centre.
  const double reach = std::sqrt(kInnerSquared);
  const uint32_t left = IndexAt(cx - reach * ex, cellWidth_, columns_, true);
  const uint32_t right = IndexAt(cx + reach * ex, cellWidth_, columns_, false);
  const uint32_t bottom = IndexAt(cy - reach * ey, cellHeight_, rows_, true);
  const uint32_t top = IndexAt(cy + reach * ey, cellHeight_, rows_, false);
  if (right <= left || top <= bottom) return;
  const SurfaceDepth surface(sphere);
  const uint32_t points = right - left + 1;
  lattice_.resize(static_cast<size_t>(points) * (top - bottom + 1));
  for (uint32_t j = bottom; j <= top; ++j) {
    const double y = std::min(-1 + j * cellHeight_, 1.0);
    for (uint32_t i = left; i <= right; ++i) {
      const double x = std::min(-1 + i * cellWidth_, 1.0);
      lattice_[(j - bottom) * points + (i - left)] = surface.At(x - cx, y - cy);
    }
  }
  for (uint32_t j = bottom; j < top; ++j)
    for (uint32_t i = left; i < right; ++i) {
      const double* below = &lattice_[(j - bottom) * points + (i - left)];
      const double* above = below + points;
      // A corner outside the inner outline (NaN) leaves the cell uncovered.
      const double corners[4] = {below[0], below[1], above[0], above[1]};
      if (std::any_of(corners, corners + 4, [](double d) { return std::isnan(d); })) continue;
      const double depth = *std::max_element(corners, corners + 4);
      if (!(depth <= 1 - kDepthMargin)) continue;
      double& farthest = farthest_[static_cast<size_t>(j) * columns_ + i];
      farthest = std::min(farthest, depth);
    }
}

bool SphereOcclusion::Hidden(const SphereOutline& sphere) const {
  const double cx = sphere.center[0], cy = sphere.center[1];
  const double ex = sphere.extent[0], ey = sphere.extent[1];
  // No pixel centre lies on or beyond the target's edge.
  if (cx + ex <= -1 || cx - ex >= 1 || cy + ey <= -1 || cy - ey >= 1) return true;
  const double nearest = Nearest(sphere);
  const uint32_t left = IndexAt(cx - ex, cellWidth_, columns_ - 1, false);
  const uint32_t right = IndexAt(cx + ex, cellWidth_, columns_ - 1, false);
  const uint32_t bottom = IndexAt(cy - ey, cellHeight_, rows_ - 1, false);
  const uint32_t top = IndexAt(cy + ey, cellHeight_, rows_ - 1, false);
  for (uint32_t j = bottom; j <= top; ++j)
    for (uint32_t i = left; i <= right; ++i)
      if (!(farthest_[static_cast<size_t>(j) * columns_ + i] + kDepthMargin < nearest))
        return false;
  return true;
}

}  // namespace tf
