#include "Images.h"

#include <algorithm>
#include <cmath>

namespace tf::resources {

namespace {

constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kGrey = 0xFFC0C0C0;

}  // namespace

Canvas SelectionImage() {
  Canvas canvas(256, 256, kWhite);
  const double cellWidth = 256.0 / kSphereSegments;
  const double cellHeight = 256.0 / kSphereBands;
  const double halfWidth = 1.0;  // two-pixel lines
  for (int band = 1; band < kSphereBands; ++band)
    StrokeSegment(canvas, {0, band * cellHeight}, {256, band * cellHeight}, halfWidth, kBlack);
  for (int segment = 0; segment <= kSphereSegments; ++segment)
    StrokeSegment(canvas, {segment * cellWidth, 0}, {segment * cellWidth, 256}, halfWidth, kBlack);
  // In the pole bands each cell holds one triangle whose third edge runs
  // from the pole vertex at the cell's left corner across the cell.
  for (int segment = 0; segment < kSphereSegments; ++segment) {
    const double left = segment * cellWidth, right = left + cellWidth;
    StrokeSegment(canvas, {left, 0}, {right, cellHeight}, halfWidth, kBlack);
    StrokeSegment(canvas, {right, 256 - cellHeight}, {left, 256}, halfWidth, kBlack);
  }
  return canvas;
}

Canvas GridCellImage() {
  Canvas canvas(64, 64, 0x00FFFFFF);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      if (x < 2 || y < 2 || x >= 62 || y >= 62) canvas.At(x, y) = kBlack;
  return canvas;
}

namespace {

// Places shapes in one 24 x 24 button of the strip.
class Button {
 public:
  explicit Button(int index) : dx_(index * 24) {}
  std::vector<Point> Shift(std::vector<Point> points) const {
    for (Point& p : points) p.x += dx_;
    return points;
  }
  Point Shift(Point p) const { return {p.x + dx_, p.y}; }

 private:
  double dx_;
};

void DrawStart(Canvas& c, const Button& b) {
  const auto triangle = b.Shift({{7, 4.5}, {7, 19.5}, {18.5, 12}});
  FillPolygon(c, triangle, 0xFF00B000);
  StrokePolygon(c, triangle, 0.5, 0xFF005800);
}

void DrawStop(Canvas& c, const Button& b) {
  const auto square = b.Shift({{6, 6}, {18, 6}, {18, 18}, {6, 18}});
  FillPolygon(c, square, 0xFFD00000);
  StrokePolygon(c, b.Shift({{6.5, 6.5}, {17.5, 6.5}, {17.5, 17.5}, {6.5, 17.5}}), 0.5, 0xFF700000);
}

void DrawCharges(Canvas& c, const Button& b) {
  const Point plus = b.Shift(Point{7.5, 7.5});
  const Point minus = b.Shift(Point{16.5, 16.5});
  const uint32_t red = 0xFFD00000, blue = 0xFF0000D0;
  FillCircle(c, plus, 5.5, kWhite);
  StrokeCircle(c, plus, 5.5, 0.6, red);
  StrokeSegment(c, {plus.x - 3, plus.y}, {plus.x + 3, plus.y}, 0.5, red);
  StrokeSegment(c, {plus.x, plus.y - 3}, {plus.x, plus.y + 3}, 0.5, red);
  FillCircle(c, minus, 5.5, kWhite);
  StrokeCircle(c, minus, 5.5, 0.6, blue);
  StrokeSegment(c, {minus.x - 3, minus.y}, {minus.x + 3, minus.y}, 0.5, blue);
}

void DrawArrow(Canvas& c, const Button& b) {
  const auto arrow =
      b.Shift({{7, 3}, {7, 19}, {10.5, 15.5}, {13, 21}, {15.5, 20}, {13, 14.5}, {18, 14.5}});
  FillPolygon(c, arrow, kWhite);
  StrokePolygon(c, arrow, 0.6, kBlack);
}

void DrawDashedRectangle(Canvas& c, const Button& b) {
  DashPath(c, b.Shift({{4.5, 6.5}, {19.5, 6.5}, {19.5, 17.5}, {4.5, 17.5}}), true, 2, 2, kBlack);
}

void DrawDashedLoop(Canvas& c, const Button& b) {
  DashPath(c,
           b.Shift({{12, 3.5},
                    {16.5, 4.5},
                    {19.5, 8},
                    {18.5, 12},
                    {20.5, 16.5},
                    {16, 19.5},
                    {11, 18.5},
                    {6, 20},
                    {3.5, 15.5},
                    {5.5, 11},
                    {3.5, 6.5},
                    {7.5, 4}}),
           true, 2, 2, kBlack);
}

}  // namespace

Canvas ToolbarImage() {
  Canvas strip(144, 24, kGrey);
  DrawStart(strip, Button(0));
  DrawStop(strip, Button(1));
  DrawCharges(strip, Button(2));
  DrawArrow(strip, Button(3));
  DrawDashedRectangle(strip, Button(4));
  DrawDashedLoop(strip, Button(5));
  return strip;
}

namespace {

struct Ball {
  Point centre;
  double radius;
  double r, g, b;  // 0..1
};

struct Rgba {
  double r = 0, g = 0, b = 0, a = 0;
};

// The molecule at one point: grey bonds under shaded balls with dark rims.
Rgba MoleculeAt(Point p) {
  static const Ball kBalls[] = {
      {{9, 10}, 6.0, 0.86, 0.16, 0.16},     // oxygen
      {{26, 7}, 4.0, 0.92, 0.92, 0.92},     // hydrogen
      {{17, 26.5}, 4.5, 0.24, 0.35, 0.86},  // nitrogen
      {{19, 16}, 6.5, 0.35, 0.35, 0.35},    // carbon, bonded to the others
  };
  Rgba colour;
  for (int i = 0; i < 3; ++i)
    if (DistanceToSegment(p, kBalls[3].centre, kBalls[i].centre) <= 1.6)
      colour = {0.6, 0.6, 0.6, 1};
  for (const Ball& ball : kBalls) {
    const double dx = (p.x - ball.centre.x) / ball.radius, dy = (p.y - ball.centre.y) / ball.radius;
    const double d2 = dx * dx + dy * dy;
    if (d2 > 1) continue;
    if (std::sqrt(d2) * ball.radius > ball.radius - 0.8) {
      colour = {ball.r * 0.45, ball.g * 0.45, ball.b * 0.45, 1};
      continue;
    }
    // Light from the upper left, in front.
    const double nz = std::sqrt(1 - d2);
    const double lx = -0.4, ly = -0.5, lz = 0.7681145747868608;
    const double diffuse = std::max(0.0, dx * lx + dy * ly + nz * lz);
    double highlight = std::max(0.0, (dx * lx + dy * ly + nz * (lz + 1)) / std::sqrt(2 + 2 * lz));
    for (int k = 0; k < 4; ++k) highlight *= highlight;  // to the 16th power
    const double shade = 0.35 + 0.65 * diffuse;
    colour = {std::min(1.0, ball.r * shade + 0.5 * highlight),
              std::min(1.0, ball.g * shade + 0.5 * highlight),
              std::min(1.0, ball.b * shade + 0.5 * highlight), 1};
  }
  return colour;
}

uint32_t ToByte(double value) {
  return static_cast<uint32_t>(std::clamp(std::floor(value * 255 + 0.5), 0.0, 255.0));
}

}  // namespace

Canvas IconImage() {
  Canvas canvas(32, 32, 0);
  constexpr int kSamples = 4;  // per side of a pixel, for smooth edges
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      Rgba sum;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const Rgba s = MoleculeAt({x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples});
          sum = {sum.r + s.r * s.a, sum.g + s.g * s.a, sum.b + s.b * s.a, sum.a + s.a};
        }
      }
      if (sum.a == 0) continue;
      const double alpha = sum.a / (kSamples * kSamples);
      canvas.At(x, y) = ToByte(alpha) << 24 | ToByte(sum.r / sum.a) << 16 |
                        ToByte(sum.g / sum.a) << 8 | ToByte(sum.b / sum.a);
    }
  }
  return canvas;
}

}  // namespace tf::resources
