#include "charges/JacobiEigen.h"

#include <cmath>
#include <utility>
#include <vector>

#include "charges/ChargeTables.h"

namespace tf {

namespace {

// Sweeps at one threshold before it falls regardless; reached only by
// matrices holding values that are not finite.
constexpr int kMaxSweepsPerThreshold = 100;
// From this order on the rotations work on a full-size copy of the triangle.
constexpr int kFullStorageFrom = 64;

struct Rotation {
  double sin, cos;
};

Rotation RotationFor(double hll, double hmm, double hml) {
  const double x = (hll - hmm) / 2.0;
  double y = -hml / std::sqrt(hml * hml + x * x);
  if (x < 0.0) y = -y;
  const double sin = y / std::sqrt(2.0 * (1.0 + std::sqrt(1.0 - y * y)));
  return {sin, std::sqrt(1.0 - sin * sin)};
}

inline void RotatePair(double& il, double& im, const Rotation& r) {
  const double rotated = il * r.cos - im * r.sin;
  im = il * r.sin + im * r.cos;
  il = rotated;
}

// The lower triangle of the matrix, either packed or inside a full n x n
// array. Large matrices take the full array: a walk down a column then has
// a constant stride, which the processor can prefetch. The arithmetic is the
// same either way, so are the results.
struct PackedTriangle {
  double* data;
  double& operator()(long row, long column) const { return data[PackedIndex(row, column)]; }
};
struct FullTriangle {
  double* data;
  long n;
  double& operator()(long row, long column) const { return data[row * n + column]; }
};

// Rotation of the pair (l, m), l < m, of the matrix and rows l and m of vectors.
template <typename Triangle>
void Rotate(const Triangle& at, double* vectors, int n, int l, int m) {
  double* rowL = &at(l, 0);
  double* rowM = &at(m, 0);
  const double hll = rowL[l], hmm = rowM[m], hml = rowM[l];
  const Rotation r = RotationFor(hll, hmm, hml);
  // Elements (i, l) and (i, m) for i other than l and m, by where they are stored.
  for (int i = 0; i < l; ++i) RotatePair(rowL[i], rowM[i], r);
  for (int i = l + 1; i < m; ++i) RotatePair(at(i, l), rowM[i], r);
  for (int i = m + 1; i < n; ++i) RotatePair(at(i, l), at(i, m), r);
  double* vectorL = vectors + static_cast<long>(l) * n;
  double* vectorM = vectors + static_cast<long>(m) * n;
  for (int i = 0; i < n; ++i) RotatePair(vectorL[i], vectorM[i], r);

  const double sin2 = r.sin * r.sin, cos2 = r.cos * r.cos, sinCos = r.sin * r.cos;
  const double cross = 2.0 * hml * sinCos;
  rowL[l] = hll * cos2 + hmm * sin2 - cross;
  rowM[m] = hll * sin2 + hmm * cos2 + cross;
  rowM[l] = (hll - hmm) * sinCos + hml * (cos2 - sin2);
}

// The sweeps at falling thresholds; false when cancelled.
template <typename Triangle>
bool Sweep(const Triangle& at, double* vectors, int n, double norm,
           const std::atomic<bool>* cancel) {
  const double finalThreshold = norm * kJacobiTolerance / n;
  double threshold = norm;
  do {
    threshold /= n;
    bool rotated = true;
    for (int sweep = 0; rotated && sweep < kMaxSweepsPerThreshold; ++sweep) {
      rotated = false;
      for (int l = 0; l < n - 1; ++l) {
        if (cancel && cancel->load(std::memory_order_relaxed)) return false;
        for (int m = l + 1; m < n; ++m) {
          if (std::fabs(at(m, l)) < threshold) continue;
          Rotate(at, vectors, n, l, m);
          rotated = true;
        }
      }
    }
  } while (threshold > finalThreshold);
  return true;
}

void SortDescending(double* matrix, double* vectors, int n) {
  for (int k = 0; k < n; ++k) {
    for (int l = k; l < n; ++l) {
      double& hk = matrix[PackedIndex(k, k)];
      double& hl = matrix[PackedIndex(l, l)];
      if (hl > hk) {
        std::swap(hk, hl);
        for (int i = 0; i < n; ++i)
          std::swap(vectors[static_cast<long>(k) * n + i], vectors[static_cast<long>(l) * n + i]);
      }
    }
  }
}

}  // namespace

void JacobiEigen(double* matrix, double* vectors, int n, const std::atomic<bool>* cancel) {
  if (n <= 0) return;
  for (long i = 0; i < static_cast<long>(n) * n; ++i) vectors[i] = 0.0;
  for (int i = 0; i < n; ++i) vectors[static_cast<long>(i) * n + i] = 1.0;

  double offDiagonal = 0.0;
  for (int r = 1; r < n; ++r)
    for (int c = 0; c < r; ++c)
      offDiagonal += matrix[PackedIndex(r, c)] * matrix[PackedIndex(r, c)];

  if (offDiagonal > 0.0) {
    const double norm = std::sqrt(2.0 * offDiagonal);
    if (n < kFullStorageFrom) {
      if (!Sweep(PackedTriangle{matrix}, vectors, n, norm, cancel)) return;
    } else {
      std::vector<double> full(static_cast<size_t>(n) * n);
      const FullTriangle at{full.data(), n};
      for (int r = 0; r < n; ++r)
        for (int c = 0; c <= r; ++c) at(r, c) = matrix[PackedIndex(r, c)];
      if (!Sweep(at, vectors, n, norm, cancel)) return;
      for (int r = 0; r < n; ++r)
        for (int c = 0; c <= r; ++c) matrix[PackedIndex(r, c)] = at(r, c);
    }
  }
  SortDescending(matrix, vectors, n);
}

}  // namespace tf
