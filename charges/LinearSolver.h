#pragma once
// Dense linear solver of the charge model.

namespace tf {

// Why a system could not be solved.
enum class SolveFailure {
  kNone,
  kZeroRow,        // a row of the matrix is all zero
  kNoPivot,        // no usable pivot in a column
  kZeroLastPivot,  // the last pivot is zero
};

// Solves matrix * solution = rightSide for the n x n row-major matrix by
// Gaussian elimination with scaled partial pivoting. The matrix is
// overwritten by its factors, rightSide is kept, rowOrder (n entries)
// receives the row order. Prints nothing: the caller decides what a failure
// means.
SolveFailure SolveLinearSystem(double* matrix, const double* rightSide, double* solution, int n,
                               int* rowOrder);

}  // namespace tf
