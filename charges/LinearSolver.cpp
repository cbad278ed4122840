#include "charges/LinearSolver.h"

#include <cmath>

namespace tf {

SolveFailure SolveLinearSystem(double* matrix, const double* rightSide, double* solution, int n,
                               int* rowOrder) {
  if (n <= 0) return SolveFailure::kNone;
  const auto at = [&](int row, int column) -> double& {
    return matrix[static_cast<long>(row) * n + column];
  };

  // Row scales, kept in the solution during the elimination.
  for (int i = 0; i < n; ++i) {
    rowOrder[i] = i;
    double rowNorm = 0.0;
    for (int j = 0; j < n; ++j) rowNorm = std::fmax(rowNorm, std::fabs(at(i, j)));
    if (rowNorm == 0.0) return SolveFailure::kZeroRow;
    solution[i] = 1.0 / rowNorm;
  }

  for (int k = 0; k < n - 1; ++k) {
    double big = 0.0;
    int chosen = k;
    for (int i = k; i < n; ++i) {
      const int p = rowOrder[i];
      const double size = std::fabs(at(p, k)) * solution[p];
      if (size > big) {
        big = size;
        chosen = i;
      }
    }
    if (big == 0.0) return SolveFailure::kNoPivot;
    const int swapped = rowOrder[k];
    rowOrder[k] = rowOrder[chosen];
    rowOrder[chosen] = swapped;
    const int pivotRow = rowOrder[k];
    const double pivot = at(pivotRow, k);
    for (int i = k + 1; i < n; ++i) {
      const int p = rowOrder[i];
      const double factor = at(p, k) / pivot;
      at(p, k) = factor;
      if (factor == 0.0) continue;
      for (int j = k + 1; j < n; ++j) at(p, j) -= factor * at(pivotRow, j);
    }
  }
  if (at(rowOrder[n - 1], n - 1) == 0.0) return SolveFailure::kZeroLastPivot;

  solution[0] = rightSide[rowOrder[0]];
  for (int i = 1; i < n; ++i) {
    const int p = rowOrder[i];
    double sum = 0.0;
    for (int j = 0; j < i; ++j) sum += at(p, j) * solution[j];
    solution[i] = rightSide[p] - sum;
  }
  solution[n - 1] = solution[n - 1] / at(rowOrder[n - 1], n - 1);
  for (int i = n - 2; i >= 0; --i) {
    const int p = rowOrder[i];
    double sum = 0.0;
    for (int j = i + 1; j < n; ++j) sum += at(p, j) * solution[j];
    solution[i] = (solution[i] - sum) / at(p, i);
  }
  return SolveFailure::kNone;
}

}  // namespace tf
