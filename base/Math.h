#pragma once
// Single-precision vectors and 4x4 matrices in the row-vector convention:
// a point is the row (x, y, z, 1) multiplied on the left, and A * B applies A first.
// Angles in radians. Every function writes `out` and returns it; `out` may be
// the same object as an input. None keeps state, so any thread may call them.

namespace tf {

struct Vector2 {
  float x, y;
};

struct Vector3 {
  float x, y, z;
};

struct Matrix {
  float m[4][4];
};

// Sets `out` to the identity and returns it.
Matrix* MatrixIdentity(Matrix* out);

// View matrix of a right-handed camera at `eye` looking at `at`.
Matrix* MatrixLookAtRH(Matrix* out, const Vector3* eye, const Vector3* at, const Vector3* up);

// Right-handed orthographic projection of a w x h box; view-space z from
// -zn (depth 0) to -zf (depth 1) is visible.
Matrix* MatrixOrthoRH(Matrix* out, float w, float h, float zn, float zf);

// Roll about z, then pitch about x, then yaw about y.
Matrix* MatrixRotationYawPitchRoll(Matrix* out, float yaw, float pitch, float roll);

// Rotation by `angle` about `axis` (normalised here), right-handed.
Matrix* MatrixRotationAxis(Matrix* out, const Vector3* axis, float angle);

// a * b: a applied first.
Matrix* MatrixMultiply(Matrix* out, const Matrix* a, const Matrix* b);

Matrix* MatrixScaling(Matrix* out, float sx, float sy, float sz);

// Offset in the fourth row.
Matrix* MatrixTranslation(Matrix* out, float x, float y, float z);

// (x, y, z, 1) * m, divided by the resulting w.
Vector3* Vec3TransformCoord(Vector3* out, const Vector3* v, const Matrix* m);

// v / |v|; a zero vector stays zero.
Vector3* Vec3Normalize(Vector3* out, const Vector3* v);

Vector3* Vec3Subtract(Vector3* out, const Vector3* a, const Vector3* b);
Vector3* Vec3Cross(Vector3* out, const Vector3* a, const Vector3* b);
float Vec3Dot(const Vector3* a, const Vector3* b);

}  // namespace tf
