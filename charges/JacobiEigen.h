#pragma once
// Symmetric eigen-solver of the charge model's pi stage.

#include <atomic>

namespace tf {

// Index of element (row, column), column <= row, in packed lower-triangle storage.
inline long PackedIndex(long row, long column) {
  return row * (row + 1) / 2 + column;
}

// Cyclic Jacobi rotations with a falling threshold (relative tolerance
// 1e-10) on the symmetric n x n `matrix` in packed lower-triangle storage. On
// return the diagonal of `matrix` holds the eigenvalues in descending order (equal
// values keep their order) and row k of `vectors` (n x n, row-major) is the unit
// eigenvector of the k-th. A set `cancel` ends the rotations early, leaving
// both unspecified.
void JacobiEigen(double* matrix, double* vectors, int n, const std::atomic<bool>* cancel = nullptr);

}  // namespace tf
