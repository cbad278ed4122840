#pragma once
// The occupied pi levels of one component: the eigenvectors of the largest
// eigenvalues of the Hueckel matrix, found with LAPACK's symmetric solver.

#include <vector>

namespace tf {

// Eigenvectors of the `levels` largest eigenvalues of the symmetric n x n
// matrix in packed lower-triangle storage (kept), largest first: row k of
// `vectors` (levels x n) is the k-th. Returns false, leaving `vectors` unspecified, when the
// filling is not unique: an eigenvalue equal (to within the solvers'
// accuracy) to its neighbour lies on the edge of the filled levels (the
// last filled level and the first empty one, or, with `lastHalfFilled`, the
// singly filled level and the one above it). Then which basis of the equal
// levels is filled decides the charges, and the caller takes the Jacobi
// path, whose order is the model's.
bool SolveOccupiedLevels(const double* packed, int n, int levels, bool lastHalfFilled,
                         std::vector<double>& vectors);

}  // namespace tf
