#include "base/Math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace tf {
namespace {

constexpr float kHalfPi = std::numbers::pi_v<float> / 2.0f;

void ExpectMatrixNear(const Matrix& actual, const Matrix& expected, float tolerance = 1e-6f) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      EXPECT_NEAR(actual.m[r][c], expected.m[r][c], tolerance) << "row " << r << " column " << c;
}

void ExpectVectorNear(const Vector3& actual, const Vector3& expected, float tolerance = 1e-6f) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

Vector3 Transform(const Vector3& v, const Matrix& m) {
  Vector3 out;
  Vec3TransformCoord(&out, &v, &m);
  return out;
}

TEST(Math, LookAtDownNegativeZIsAPureTranslation) {
  const Vector3 eye{1.5f, -2.0f, 20.0f}, at{1.5f, -2.0f, 0.0f}, up{0, 1, 0};
  Matrix view;
  MatrixLookAtRH(&view, &eye, &at, &up);
  const Matrix expected{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {-1.5f, 2.0f, -20.0f, 1}}};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_EQ(view.m[r][c], expected.m[r][c]) << r << "," << c;
}

TEST(Math, LookAtFromTheSideTurnsTheAxes) {
  // Camera on +x looking at the origin: world +x becomes view +z, world -z
  // becomes view +x, and the target lies one unit in front (view z = -1).
  const Vector3 eye{1, 0, 0}, at{0, 0, 0}, up{0, 1, 0};
  Matrix view;
  MatrixLookAtRH(&view, &eye, &at, &up);
  const Matrix expected{{{0, 0, 1, 0}, {0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, -1, 1}}};
  ExpectMatrixNear(view, expected);
  ExpectVectorNear(Transform(at, view), {0, 0, -1});
  ExpectVectorNear(Transform(eye, view), {0, 0, 0});
}

TEST(Math, OrthoRHMapsTheBoxToClipSpace) {
  Matrix projection;
  MatrixOrthoRH(&projection, 20.0f, 15.0f, -200.0f, 200.0f);
  const Matrix expected{
      {{0.1f, 0, 0, 0}, {0, 2.0f / 15.0f, 0, 0}, {0, 0, -0.0025f, 0}, {0, 0, 0.5f, 1}}};
  ExpectMatrixNear(projection, expected);
  // View-space z = +200 is depth 0, z = -200 depth 1; the box corner maps to (1, 1).
  ExpectVectorNear(Transform({10.0f, 7.5f, 200.0f}, projection), {1, 1, 0});
  ExpectVectorNear(Transform({-10.0f, -7.5f, -200.0f}, projection), {-1, -1, 1});
}

TEST(Math, YawPitchRollTurnsTheNearSideAsTheCameraExpects) {
  Matrix yaw, pitch, roll;
  MatrixRotationYawPitchRoll(&yaw, kHalfPi, 0, 0);
  MatrixRotationYawPitchRoll(&pitch, 0, kHalfPi, 0);
  MatrixRotationYawPitchRoll(&roll, 0, 0, kHalfPi);
  // Positive yaw moves a point in front of the origin towards +x; positive
  // pitch moves it towards -y; roll turns x into y.
  ExpectVectorNear(Transform({0, 0, 1}, yaw), {1, 0, 0});
  ExpectVectorNear(Transform({0, 0, 1}, pitch), {0, -1, 0});
  ExpectVectorNear(Transform({1, 0, 0}, roll), {0, 1, 0});

  const float y = 0.3f, p = -0.7f;
  Matrix combined;
  MatrixRotationYawPitchRoll(&combined, y, p, 0);
  const Matrix rows{{{std::cos(y), 0, -std::sin(y), 0},
                     {std::sin(p) * std::sin(y), std::cos(p), std::sin(p) * std::cos(y), 0},
                     {std::cos(p) * std::sin(y), -std::sin(p), std::cos(p) * std::cos(y), 0},
                     {0, 0, 0, 1}}};
  ExpectMatrixNear(combined, rows);
}

TEST(Math, YawPitchRollAppliesRollThenPitchThenYaw) {
  const Vector3 xAxis{1, 0, 0}, yAxis{0, 1, 0}, zAxis{0, 0, 1};
  const float yaw = 0.4f, pitch = 1.1f, roll = -0.6f;
  Matrix rz, rx, ry, product, combined;
  MatrixRotationAxis(&rz, &zAxis, roll);
  MatrixRotationAxis(&rx, &xAxis, pitch);
  MatrixRotationAxis(&ry, &yAxis, yaw);
  MatrixMultiply(&product, &rz, &rx);
  MatrixMultiply(&product, &product, &ry);
  MatrixRotationYawPitchRoll(&combined, yaw, pitch, roll);
  ExpectMatrixNear(combined, product);
}

TEST(Math, RotationAxisFollowsTheRightHandRuleAndNormalisesTheAxis) {
  const Vector3 longZ{0, 0, 2.5f};
  Matrix quarter;
  MatrixRotationAxis(&quarter, &longZ, kHalfPi);
  ExpectVectorNear(Transform({1, 0, 0}, quarter), {0, 1, 0});
  ExpectVectorNear(Transform({0, 1, 0}, quarter), {-1, 0, 0});

  // A third of a turn about the diagonal cycles the axes x -> y -> z.
  const Vector3 diagonal{1, 1, 1};
  Matrix third;
  MatrixRotationAxis(&third, &diagonal, 2.0f * std::numbers::pi_v<float> / 3.0f);
  ExpectVectorNear(Transform({1, 0, 0}, third), {0, 1, 0}, 1e-5f);
  ExpectVectorNear(Transform({0, 1, 0}, third), {0, 0, 1}, 1e-5f);
}

TEST(Math, MultiplyAppliesTheLeftMatrixFirstAndMayAlias) {
  Matrix translate, scale, product;
  MatrixTranslation(&translate, 1, 2, 3);
  MatrixScaling(&scale, 2, 3, 4);
  MatrixMultiply(&product, &translate, &scale);
  const Matrix expected{{{2, 0, 0, 0}, {0, 3, 0, 0}, {0, 0, 4, 0}, {2, 6, 12, 1}}};
  ExpectMatrixNear(product, expected);
  ExpectVectorNear(Transform({1, 1, 1}, product), {4, 9, 16});

  Matrix reverse;
  MatrixMultiply(&reverse, &scale, &translate);
  ExpectVectorNear(Transform({1, 1, 1}, reverse), {3, 5, 7});

  Matrix aliasLeft = translate, aliasRight = scale;
  MatrixMultiply(&aliasLeft, &aliasLeft, &scale);
  MatrixMultiply(&aliasRight, &translate, &aliasRight);
  ExpectMatrixNear(aliasLeft, expected);
  ExpectMatrixNear(aliasRight, expected);
}

TEST(Math, TransformCoordDividesByWAndMayAlias) {
  Matrix m;
  MatrixIdentity(&m);
  m.m[3][0] = 2.0f;
  m.m[3][3] = 2.0f;  // w = 2 for every point
  Vector3 v{4, 6, 8};
  Vec3TransformCoord(&v, &v, &m);
  ExpectVectorNear(v, {3, 3, 4});
}

TEST(Math, NormalizeKeepsAZeroVectorZero) {
  Vector3 v{3, 0, -4};
  Vec3Normalize(&v, &v);
  ExpectVectorNear(v, {0.6f, 0, -0.8f});
  const Vector3 zero{0, 0, 0};
  Vector3 out{9, 9, 9};
  Vec3Normalize(&out, &zero);
  ExpectVectorNear(out, zero, 0.0f);
}

}  // namespace
}  // namespace tf
