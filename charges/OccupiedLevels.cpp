#include "charges/OccupiedLevels.h"

#include <lapacke.h>

#include <algorithm>
#include <cmath>

#include "charges/JacobiEigen.h"

namespace tf {

namespace {

// Two eigenvalues closer than this, relative to the matrix's largest
// element, count as equal. Jacobi stops at off-diagonal elements of 1e-10
// relative, so its vectors of levels this close are mixed by up to
// 1e-10 / 1e-4 and the charges of the two paths could differ by more than
// 1e-6; below the bound the Jacobi path decides.
constexpr double kEqualLevels = 1e-4;

}  // namespace

bool SolveOccupiedLevels(const double* packed, int n, int levels, bool lastHalfFilled,
                         std::vector<double>& vectors) {
  levels = std::min(levels, n);
  if (levels <= 0) return true;
  // Column-major full lower triangle; LAPACK overwrites it.
  std::vector<double> matrix(static_cast<size_t>(n) * n, 0.0);
  double scale = 0.0;
  for (int row = 0; row < n; ++row)
    for (int column = 0; column <= row; ++column) {
      const double value = packed[PackedIndex(row, column)];
      matrix[static_cast<size_t>(column) * n + row] = value;
      scale = std::max(scale, std::fabs(value));
    }
  // Every level: asked for a few, the solver bisects and iterates each one
  // on its own, which costs more than its relatively robust representations
  // of all of them.
  std::vector<double> values(n);
  std::vector<double> columns(static_cast<size_t>(n) * n);
  std::vector<lapack_int> support(2 * static_cast<size_t>(n));
  lapack_int found = 0;
  const lapack_int info =
      LAPACKE_dsyevr(LAPACK_COL_MAJOR, 'V', 'A', 'L', n, matrix.data(), n, 0.0, 0.0, 0, 0, 0.0,
                     &found, values.data(), columns.data(), n, support.data());
  if (info != 0 || found != n) return false;
  for (int k = 0; k < found; ++k)
    if (!std::isfinite(values[k])) return false;

  // values[0 .. found-1] ascending; filled level k (largest first) is
  // values[found - 1 - k].
  const auto level = [&](int k) { return values[found - 1 - k]; };
  const double tolerance = kEqualLevels * scale;
  if (levels < n && level(levels - 1) - level(levels) <= tolerance) return false;
  if (lastHalfFilled && levels >= 2 && level(levels - 2) - level(levels - 1) <= tolerance)
    return false;

  vectors.resize(static_cast<size_t>(levels) * n);
  for (int k = 0; k < levels; ++k) {
    const double* column = &columns[static_cast<size_t>(found - 1 - k) * n];
    std::copy(column, column + n, &vectors[static_cast<size_t>(k) * n]);
  }
  return true;
}

}  // namespace tf
