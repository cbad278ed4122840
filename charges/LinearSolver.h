#pragma once
// Dense linear solver of the charge model.

namespace tf {

// Solves A X = B for the n x n row-major matrix A by Gaussian elimination with
// scaled partial pivoting. A is overwritten by its factors, B is kept, IPS
// (n entries) receives the row order. Returns 0 on success; on failure writes
// one line to standard output and returns 1 ("SIMQ ROWNRM=0": a zero row),
// 2 ("SIMQ BIG=0": no pivot) or 3 ("SIMQ A[kpn]=0": last pivot zero).
int simq(double* A, const double* B, double* X, int n, int* IPS);

}  // namespace tf
