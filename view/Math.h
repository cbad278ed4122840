#pragma once
// Single-precision vectors and 4x4 matrices in the row-vector convention:
// a point is the row (x, y, z, 1) multiplied on the left, and A * B applies A first.

namespace tf {

struct Vector3 {
  float x, y, z;
};

struct Matrix {
  float m[4][4];
};

// Sets `out` to the identity and returns it.
Matrix* MatrixIdentity(Matrix* out);

}  // namespace tf
