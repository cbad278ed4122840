#include "charges/LinearSolver.h"

#include <cmath>
#include <cstdio>

namespace tf {

namespace {

int Fail(const char* line, int code) {
  std::puts(line);
  std::fflush(stdout);
  return code;
}

}  // namespace

int simq(double* A, const double* B, double* X, int n, int* IPS) {
  if (n <= 0) return 0;
  const auto at = [&](int row, int column) -> double& {
    return A[static_cast<long>(row) * n + column];
  };

  // Row scales, kept in X during the elimination.
  for (int i = 0; i < n; ++i) {
    IPS[i] = i;
    double rowNorm = 0.0;
    for (int j = 0; j < n; ++j) rowNorm = std::fmax(rowNorm, std::fabs(at(i, j)));
    if (rowNorm == 0.0) return Fail("SIMQ ROWNRM=0", 1);
    X[i] = 1.0 / rowNorm;
  }

  for (int k = 0; k < n - 1; ++k) {
    double big = 0.0;
    int chosen = k;
    for (int i = k; i < n; ++i) {
      const int p = IPS[i];
      const double size = std::fabs(at(p, k)) * X[p];
      if (size > big) {
        big = size;
        chosen = i;
      }
    }
    if (big == 0.0) return Fail("SIMQ BIG=0", 2);
    const int swapped = IPS[k];
    IPS[k] = IPS[chosen];
    IPS[chosen] = swapped;
    const int pivotRow = IPS[k];
    const double pivot = at(pivotRow, k);
    for (int i = k + 1; i < n; ++i) {
      const int p = IPS[i];
      const double factor = at(p, k) / pivot;
      at(p, k) = factor;
      if (factor == 0.0) continue;
      for (int j = k + 1; j < n; ++j) at(p, j) -= factor * at(pivotRow, j);
    }
  }
  if (at(IPS[n - 1], n - 1) == 0.0) return Fail("SIMQ A[kpn]=0", 3);

  X[0] = B[IPS[0]];
  for (int i = 1; i < n; ++i) {
    const int p = IPS[i];
    double sum = 0.0;
    for (int j = 0; j < i; ++j) sum += at(p, j) * X[j];
    X[i] = B[p] - sum;
  }
  X[n - 1] = X[n - 1] / at(IPS[n - 1], n - 1);
  for (int i = n - 2; i >= 0; --i) {
    const int p = IPS[i];
    double sum = 0.0;
    for (int j = i + 1; j < n; ++j) sum += at(p, j) * X[j];
    X[i] = (X[i] - sum) / at(p, i);
  }
  return 0;
}

}  // namespace tf
