#include "base/Math.h"

#include <cmath>

namespace tf {

Matrix* MatrixIdentity(Matrix* out) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) out->m[r][c] = r == c ? 1.0f : 0.0f;
  return out;
}

Matrix* MatrixLookAtRH(Matrix* out, const Vector3* eye, const Vector3* at, const Vector3* up) {
  Vector3 zaxis, xaxis, yaxis;
  Vec3Subtract(&zaxis, eye, at);
  Vec3Normalize(&zaxis, &zaxis);
  Vec3Cross(&xaxis, up, &zaxis);
  Vec3Normalize(&xaxis, &xaxis);
  Vec3Cross(&yaxis, &zaxis, &xaxis);
  *out = Matrix{{{xaxis.x, yaxis.x, zaxis.x, 0.0f},
                 {xaxis.y, yaxis.y, zaxis.y, 0.0f},
                 {xaxis.z, yaxis.z, zaxis.z, 0.0f},
                 {-Vec3Dot(&xaxis, eye), -Vec3Dot(&yaxis, eye), -Vec3Dot(&zaxis, eye), 1.0f}}};
  return out;
}

Matrix* MatrixOrthoRH(Matrix* out, float w, float h, float zn, float zf) {
  *out = Matrix{{{2.0f / w, 0.0f, 0.0f, 0.0f},
                 {0.0f, 2.0f / h, 0.0f, 0.0f},
                 {0.0f, 0.0f, 1.0f / (zn - zf), 0.0f},
                 {0.0f, 0.0f, zn / (zn - zf), 1.0f}}};
  return out;
}

Matrix* MatrixRotationYawPitchRoll(Matrix* out, float yaw, float pitch, float roll) {
  const float cy = std::cos(yaw), sy = std::sin(yaw);
  const float cp = std::cos(pitch), sp = std::sin(pitch);
  const float cr = std::cos(roll), sr = std::sin(roll);
  // Pitch then yaw; roll (about z) comes in front of both.
  const float a0[3] = {cy, 0.0f, -sy};
  const float a1[3] = {sp * sy, cp, sp * cy};
  const float a2[3] = {cp * sy, -sp, cp * cy};
  MatrixIdentity(out);
  for (int c = 0; c < 3; ++c) {
    out->m[0][c] = cr * a0[c] + sr * a1[c];
    out->m[1][c] = -sr * a0[c] + cr * a1[c];
    out->m[2][c] = a2[c];
  }
  return out;
}

Matrix* MatrixRotationAxis(Matrix* out, const Vector3* axis, float angle) {
  Vector3 n;
  Vec3Normalize(&n, axis);
  const float c = std::cos(angle), s = std::sin(angle), t = 1.0f - c;
  MatrixIdentity(out);
  out->m[0][0] = c + n.x * n.x * t;
  out->m[0][1] = n.x * n.y * t + n.z * s;
  out->m[0][2] = n.x * n.z * t - n.y * s;
  out->m[1][0] = n.x * n.y * t - n.z * s;
  out->m[1][1] = c + n.y * n.y * t;
  out->m[1][2] = n.y * n.z * t + n.x * s;
  out->m[2][0] = n.x * n.z * t + n.y * s;
  out->m[2][1] = n.y * n.z * t - n.x * s;
  out->m[2][2] = c + n.z * n.z * t;
  return out;
}

Matrix* MatrixMultiply(Matrix* out, const Matrix* a, const Matrix* b) {
  Matrix product;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      product.m[r][c] = a->m[r][0] * b->m[0][c] + a->m[r][1] * b->m[1][c] +
                        a->m[r][2] * b->m[2][c] + a->m[r][3] * b->m[3][c];
  *out = product;
  return out;
}

Matrix* MatrixScaling(Matrix* out, float sx, float sy, float sz) {
  MatrixIdentity(out);
  out->m[0][0] = sx;
  out->m[1][1] = sy;
  out->m[2][2] = sz;
  return out;
}

Matrix* MatrixTranslation(Matrix* out, float x, float y, float z) {
  MatrixIdentity(out);
  out->m[3][0] = x;
  out->m[3][1] = y;
  out->m[3][2] = z;
  return out;
}

Vector3* Vec3TransformCoord(Vector3* out, const Vector3* v, const Matrix* m) {
  const float x = v->x, y = v->y, z = v->z;
  float result[4];
  for (int c = 0; c < 4; ++c)
    result[c] = x * m->m[0][c] + y * m->m[1][c] + z * m->m[2][c] + m->m[3][c];
  out->x = result[0] / result[3];
  out->y = result[1] / result[3];
  out->z = result[2] / result[3];
  return out;
}

Vector3* Vec3Normalize(Vector3* out, const Vector3* v) {
  const float length = std::sqrt(v->x * v->x + v->y * v->y + v->z * v->z);
  if (length == 0.0f) {
    *out = Vector3{0.0f, 0.0f, 0.0f};
    return out;
  }
  *out = Vector3{v->x / length, v->y / length, v->z / length};
  return out;
}

Vector3* Vec3Subtract(Vector3* out, const Vector3* a, const Vector3* b) {
  *out = Vector3{a->x - b->x, a->y - b->y, a->z - b->z};
  return out;
}

Vector3* Vec3Cross(Vector3* out, const Vector3* a, const Vector3* b) {
  *out = Vector3{a->y * b->z - a->z * b->y, a->z * b->x - a->x * b->z, a->x * b->y - a->y * b->x};
  return out;
}

float Vec3Dot(const Vector3* a, const Vector3* b) {
  return a->x * b->x + a->y * b->y + a->z * b->z;
}

}  // namespace tf
