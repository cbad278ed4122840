#pragma once
// Finds the ray-cast spheres of one opaque draw that nearer spheres of the
// same draw hide at every pixel, so that the replay can leave them out: a
// space-filling molecule shows only its outer atoms, yet drawing the inner
// ones costs most of the frame on a software rasteriser.
//
// A coarse grid over the target keeps, per cell, the farthest depth that some
// sphere surely reaches at every point of the cell; a sphere whose nearest
// point lies behind that depth in every cell its quad touches draws no pixel.
// The test is conservative and resolution-free (whole cells, not pixel
// centres), so leaving the hidden spheres out changes no pixel at any scale.
// Only view/gl sources include this header.

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace tf {

// A sphere as the ray caster draws it, in normalised device coordinates
// (depth 0 near .. 1 far): the fields of SphereImpostorPass's instances.
struct SphereOutline {
  float center[3];       // x, y, depth of the centre
  float extent[3];       // half width, half height and half depth
  float toObject[3][3];  // rows: an offset (x, y, depth) from the centre in object space
};

class SphereOcclusion {
 public:
  // Cells are this many target pixels wide and high.
  static constexpr uint32_t kCellPixels = 4;
  // How much nearer than a sphere's nearest point the occluding surface must
  // be: far above the GPU's single-precision error in either depth and the
  // depth buffer's 24-bit steps, far below anything a viewer could see.
  static constexpr double kDepthMargin = 3e-5;

  // hidden[i] becomes 1 for each of `spheres` that the others hide
  // everywhere in a `width` x `height` target (or that lies outside it), 0
  // for the rest. The spheres must be drawn with a depth test that keeps the
  // nearer fragment and writes its depth, and be opaque.
  void FindHidden(const std::vector<SphereOutline>& spheres, uint32_t width, uint32_t height,
                  std::vector<uint8_t>* hidden);

 private:
  void Occlude(const SphereOutline& sphere);
  bool Hidden(const SphereOutline& sphere) const;

  uint32_t columns_ = 0, rows_ = 0;
  double cellWidth_ = 0, cellHeight_ = 0;           // in device coordinates
  std::vector<double> farthest_;                    // per cell, rows from the bottom
  std::vector<std::pair<double, uint32_t>> order_;  // nearest depth and index
  // Scratch space of Occlude: depth at the lattice points, NaN outside the sphere.
  std::vector<double> lattice_;
};

}  // namespace tf
