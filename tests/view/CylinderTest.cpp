#include "view/Cylinder.h"

#include <gtest/gtest.h>

#include <cmath>

#include "GraphicsTestSupport.h"
#include "view/GraphicsDevice.h"
#include "view/GraphicsTypes.h"
#include "view/Mesh.h"

namespace tf {
namespace {

using test::Ref;

Ref<Mesh> MakeCylinder(GraphicsDevice& device, float r1, float r2, float length, uint32_t slices,
                       uint32_t stacks) {
  Mesh* mesh = nullptr;
  EXPECT_EQ(CreateCylinder(&device, r1, r2, length, slices, stacks, &mesh), kOk);
  return Ref<Mesh>(mesh);
}

TEST(Cylinder, TheBondCylinderHasCapsRingsAndSidesWhereExpected) {
  GraphicsDevice device;
  const Ref<Mesh> mesh = MakeCylinder(device, 1, 1, 1, 16, 1);
  ASSERT_NE(mesh, nullptr);
  EXPECT_EQ(mesh->GetNumVertices(), 66u);
  EXPECT_EQ(mesh->GetNumFaces(), 64u);
  EXPECT_EQ(mesh->GetFVF(), kFvfXyz | kFvfNormal);
  EXPECT_EQ(mesh->GetOptions(), kMeshManaged);
  const auto g = mesh->Geometry();

  const Vector3 bottom = g->Position(0), top = g->Position(65);
  EXPECT_EQ(bottom.z, -0.5f);
  EXPECT_EQ(top.z, 0.5f);
  EXPECT_EQ(g->Normal(0).z, -1.0f);
  EXPECT_EQ(g->Normal(65).z, 1.0f);
  // Rings start on +y and turn clockwise seen from +z, towards +x.
  EXPECT_NEAR(g->Position(1).y, 1.0f, 1e-6f);
  EXPECT_NEAR(g->Position(2).x, std::sin(3.14159265f / 8), 1e-6f);
  EXPECT_NEAR(g->Position(2).y, std::cos(3.14159265f / 8), 1e-6f);

  for (uint32_t i = 1; i < 65; ++i) {
    const Vector3 p = g->Position(i), n = g->Normal(i);
    const int ring = static_cast<int>((i - 1) / 16);  // 0 bottom cap, 1-2 sides, 3 top cap
    EXPECT_NEAR(std::hypot(p.x, p.y), 1.0f, 1e-6f) << "vertex " << i;
    EXPECT_EQ(p.z, ring == 0 || ring == 1 ? -0.5f : 0.5f) << "vertex " << i;
    if (ring == 0 || ring == 3) {
      EXPECT_EQ(n.x, 0.0f);
      EXPECT_EQ(n.z, ring == 0 ? -1.0f : 1.0f) << "vertex " << i;
    } else {
      EXPECT_NEAR(n.x, p.x, 1e-6f) << "vertex " << i;
      EXPECT_NEAR(n.y, p.y, 1e-6f) << "vertex " << i;
      EXPECT_EQ(n.z, 0.0f) << "vertex " << i;
    }
  }
  // Caps first, sides, then the top cap; every face points away from the axis or the ends.
  for (uint32_t f = 0; f < g->faceCount; ++f) {
    const Vector3 normal = test::FaceNormal(*g, f);
    Vector3 centre{0, 0, 0};
    for (int k = 0; k < 3; ++k) {
      const Vector3 p = g->Position(g->indices[f * 3 + k]);
      centre = {centre.x + p.x / 3, centre.y + p.y / 3, centre.z + p.z / 3};
    }
    const Vector3 outward = f < 16    ? Vector3{0, 0, -1}
                            : f >= 48 ? Vector3{0, 0, 1}
                                      : Vector3{centre.x, centre.y, 0};
    EXPECT_GT(Vec3Dot(&normal, &outward), 0.0f) << "face " << f;
  }
  test::ExpectClosedAndConsistentlyWound(*g);
}

TEST(Cylinder, ConesAndStacksInterpolateRadiusAndTiltSideNormals) {
  GraphicsDevice device;
  const Ref<Mesh> mesh = MakeCylinder(device, 2, 1, 4, 8, 2);
  ASSERT_NE(mesh, nullptr);
  EXPECT_EQ(mesh->GetNumVertices(), 2u + 8 * 5);
  EXPECT_EQ(mesh->GetNumFaces(), 2u * 8 * 3);
  const auto g = mesh->Geometry();
  // Side rings are vertices 9..32: radius 2 at z = -2, 1.5 at z = 0, 1 at z = 2.
  const float radii[] = {2, 1.5f, 1};
  for (int ring = 0; ring < 3; ++ring) {
    const Vector3 p = g->Position(9 + ring * 8);
    EXPECT_NEAR(std::hypot(p.x, p.y), radii[ring], 1e-6f);
    EXPECT_EQ(p.z, -2.0f + 2.0f * ring);
    const Vector3 n = g->Normal(9 + ring * 8);
    EXPECT_NEAR(test::Length(n), 1.0f, 1e-6f);
    EXPECT_NEAR(n.z, 0.25f / std::sqrt(1.0625f), 1e-6f);  // (r1 - r2) / length, normalised
  }
  test::ExpectClosedAndConsistentlyWound(*g);
}

TEST(Cylinder, RefusesShapesItCannotBuild) {
  GraphicsDevice device;
  Mesh* mesh = reinterpret_cast<Mesh*>(1);
  EXPECT_EQ(CreateCylinder(&device, 1, 1, 1, 1, 1, &mesh), kErrInvalidCall);
  EXPECT_EQ(mesh, nullptr);
  EXPECT_EQ(CreateCylinder(&device, 1, 1, 1, 16, 0, &mesh), kErrInvalidCall);
  EXPECT_EQ(CreateCylinder(&device, -1, 1, 1, 16, 1, &mesh), kErrInvalidCall);
  EXPECT_EQ(CreateCylinder(&device, 1, 1, std::nanf(""), 16, 1, &mesh), kErrInvalidCall);
  EXPECT_EQ(CreateCylinder(&device, 1, 1, 1, 4096, 16, &mesh),
            kErrInvalidCall);  // > 65535 vertices
  EXPECT_EQ(CreateCylinder(nullptr, 1, 1, 1, 16, 1, &mesh), kErrInvalidCall);
  // A flat cylinder is allowed; its side normals stay radial.
  const Ref<Mesh> flat = MakeCylinder(device, 1, 1, 0, 4, 1);
  ASSERT_NE(flat, nullptr);
  EXPECT_EQ(flat->Geometry()->Normal(5).z, 0.0f);
}

}  // namespace
}  // namespace tf
