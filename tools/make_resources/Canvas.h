#pragma once
// A small raster canvas with the few drawing operations the resource images
// need. Only exact arithmetic and square roots are used, so the output is the
// same on every machine.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tf::resources {

struct Point {
  double x, y;
};

struct Canvas {
  Canvas(int width, int height, uint32_t fill);
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  uint32_t& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }

  int width;
  int height;
  std::vector<uint32_t> pixels;  // 0xAARRGGBB, rows from the top
};

double DistanceToSegment(Point p, Point a, Point b);
// Even-odd rule.
bool InsidePolygon(Point p, const std::vector<Point>& polygon);

// Pixels are hit when their centre (x + 0.5, y + 0.5) lies in the shape.
void StrokeSegment(Canvas& canvas, Point a, Point b, double halfWidth, uint32_t color);
void StrokePolygon(Canvas& canvas, const std::vector<Point>& polygon, double halfWidth,
                   uint32_t color);
void FillPolygon(Canvas& canvas, const std::vector<Point>& polygon, uint32_t color);
void FillCircle(Canvas& canvas, Point centre, double radius, uint32_t color);
void StrokeCircle(Canvas& canvas, Point centre, double radius, double halfWidth, uint32_t color);
// A one-pixel dashed path: `dash` pixels of path on, `gap` off, repeating.
void DashPath(Canvas& canvas, const std::vector<Point>& path, bool closed, double dash, double gap,
              uint32_t color);

}  // namespace tf::resources
