#include "Canvas.h"

#include <algorithm>
#include <cmath>

namespace tf::resources {

Canvas::Canvas(int w, int h, uint32_t fill)
    : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}

double DistanceToSegment(Point p, Point a, Point b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double lengthSquared = dx * dx + dy * dy;
  double t = lengthSquared > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared : 0;
  t = std::clamp(t, 0.0, 1.0);
  const double ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
  return std::sqrt(ex * ex + ey * ey);
}

bool InsidePolygon(Point p, const std::vector<Point>& polygon) {
  bool inside = false;
  for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const Point& a = polygon[i];
    const Point& b = polygon[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
      inside = !inside;
  }
  return inside;
}

namespace {

template <typename Hit>
void Paint(Canvas& canvas, double left, double top, double right, double bottom, uint32_t color,
           Hit hit) {
  const int x0 = std::max(0, static_cast<int>(std::floor(left)) - 1);
  const int y0 = std::max(0, static_cast<int>(std::floor(top)) - 1);
  const int x1 = std::min(canvas.width - 1, static_cast<int>(std::ceil(right)) + 1);
  const int y1 = std::min(canvas.height - 1, static_cast<int>(std::ceil(bottom)) + 1);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      if (hit(Point{x + 0.5, y + 0.5})) canvas.At(x, y) = color;
}

}  // namespace

void StrokeSegment(Canvas& canvas, Point a, Point b, double halfWidth, uint32_t color) {
  Paint(canvas, std::min(a.x, b.x) - halfWidth, std::min(a.y, b.y) - halfWidth,
        std::max(a.x, b.x) + halfWidth, std::max(a.y, b.y) + halfWidth, color,
        [&](Point p) { return DistanceToSegment(p, a, b) <= halfWidth; });
}

void StrokePolygon(Canvas& canvas, const std::vector<Point>& polygon, double halfWidth,
                   uint32_t color) {
  for (size_t i = 0; i < polygon.size(); ++i)
    StrokeSegment(canvas, polygon[i], polygon[(i + 1) % polygon.size()], halfWidth, color);
}

void FillPolygon(Canvas& canvas, const std::vector<Point>& polygon, uint32_t color) {
  Paint(canvas, 0, 0, canvas.width, canvas.height, color,
        [&](Point p) { return InsidePolygon(p, polygon); });
}

void FillCircle(Canvas& canvas, Point c, double radius, uint32_t color) {
  Paint(canvas, c.x - radius, c.y - radius, c.x + radius, c.y + radius, color, [&](Point p) {
    return (p.x - c.x) * (p.x - c.x) + (p.y - c.y) * (p.y - c.y) <= radius * radius;
  });
}

void StrokeCircle(Canvas& canvas, Point c, double radius, double halfWidth, uint32_t color) {
  const double outer = radius + halfWidth;
  Paint(canvas, c.x - outer, c.y - outer, c.x + outer, c.y + outer, color, [&](Point p) {
    const double d = std::sqrt((p.x - c.x) * (p.x - c.x) + (p.y - c.y) * (p.y - c.y));
    return std::abs(d - radius) <= halfWidth;
  });
}

void DashPath(Canvas& canvas, const std::vector<Point>& path, bool closed, double dash, double gap,
              uint32_t color) {
  constexpr int kStepsPerPixel = 4;
  const size_t segments = closed ? path.size() : path.size() - 1;
  long step = 0;  // path length walked, in quarter pixels
  const long period = std::lround((dash + gap) * kStepsPerPixel);
  const long on = std::lround(dash * kStepsPerPixel);
  for (size_t i = 0; i < segments; ++i) {
    const Point a = path[i];
    const Point b = path[(i + 1) % path.size()];
    const double length = std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y));
    const long count = std::max(1L, std::lround(length * kStepsPerPixel));
    for (long k = 0; k < count; ++k, ++step) {
      if (step % period >= on) continue;
      const double t = static_cast<double>(k) / count;
      const int x = static_cast<int>(std::floor(a.x + (b.x - a.x) * t));
      const int y = static_cast<int>(std::floor(a.y + (b.y - a.y) * t));
      if (canvas.Contains(x, y)) canvas.At(x, y) = color;
    }
  }
}

}  // namespace tf::resources
