#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>

#include "GraphicsTestSupport.h"
#include "view/GraphicsDevice.h"
#include "view/Mesh.h"
#include "view/Resources.h"
#include "view/XMeshLoader.h"

namespace tf {
namespace {

using test::Length;
using test::Ref;

class EmbeddedSphere : public ::testing::Test {
 protected:
  void SetUp() override {
    Mesh* mesh = nullptr;
    ASSERT_EQ(LoadMeshFromXResource(kSphereMeshName, kSphereMeshType, kMeshManaged, &device_,
                                    &materials_, &mesh),
              kOk);
    mesh_.reset(mesh);
    geometry_ = mesh_->Geometry();
  }

  GraphicsDevice device_;
  std::vector<MeshMaterial> materials_;
  Ref<Mesh> mesh_;
  std::shared_ptr<const MeshGeometry> geometry_;
};

TEST_F(EmbeddedSphere, HasTheExpectedCountsFormatAndOneWhiteMaterial) {
  EXPECT_EQ(mesh_->GetNumVertices(), 151u);
  EXPECT_EQ(mesh_->GetNumFaces(), 224u);
  EXPECT_EQ(mesh_->GetFVF(), kFvfXyz | kFvfNormal | kFvfTex1);
  EXPECT_EQ(mesh_->GetNumBytesPerVertex(), 32u);
  ASSERT_EQ(materials_.size(), 1u);
  const ColorValue white = materials_[0].material.diffuse;
  EXPECT_EQ(white.r, 1.0f);
  EXPECT_EQ(white.g, 1.0f);
  EXPECT_EQ(white.b, 1.0f);
  EXPECT_EQ(white.a, 1.0f);
  EXPECT_EQ(std::set<uint32_t>(geometry_->attributes.begin(), geometry_->attributes.end()),
            std::set<uint32_t>{0});
  const auto text = FindResource(kSphereMeshType, kSphereMeshName);
  EXPECT_EQ(std::string_view(reinterpret_cast<const char*>(text.data()), 16), "xof 0302txt 0032");
}

TEST_F(EmbeddedSphere, VerticesLieOnTheUnitSphereWithRadialUnitNormals) {
  for (uint32_t i = 0; i < geometry_->vertexCount; ++i) {
    const Vector3 p = geometry_->Position(i);
    const Vector3 n = geometry_->Normal(i);
    EXPECT_NEAR(Length(p), 1.0f, 2e-6f) << "vertex " << i;
    EXPECT_NEAR(Length(n), 1.0f, 2e-6f) << "vertex " << i;
    EXPECT_NEAR(n.x, p.x, 1e-6f) << "vertex " << i;
    EXPECT_NEAR(n.y, p.y, 1e-6f) << "vertex " << i;
    EXPECT_NEAR(n.z, p.z, 1e-6f) << "vertex " << i;
  }
}

TEST_F(EmbeddedSphere, TextureCoordinatesFollowAzimuthAndPolarAngle) {
  std::set<float> northU, southU;
  int seam = 0;
  for (uint32_t i = 0; i < geometry_->vertexCount; ++i) {
    const Vector3 p = geometry_->Position(i);
    const TexCoord uv = geometry_->TexCoords(i);
    const double polar = std::acos(std::clamp(static_cast<double>(p.y), -1.0, 1.0));
    EXPECT_NEAR(uv.v, polar / std::numbers::pi, 1e-5) << "vertex " << i;
    // Poles: one copy per segment, each at the azimuth where its segment starts.
    if (std::abs(p.y) > 0.9999f) {
      (p.y > 0 ? northU : southU).insert(uv.u);
      EXPECT_NEAR(uv.u * 16, std::round(uv.u * 16), 1e-5) << "vertex " << i;
      continue;
    }
    double azimuth = std::atan2(p.z, p.x) / (2 * std::numbers::pi);
    if (azimuth < 0) azimuth += 1;
    if (uv.u > 0.99f && azimuth < 0.01) {
      azimuth = 1;  // the repeated seam column closes the texture at u = 1
      ++seam;
    }
    EXPECT_NEAR(uv.u, azimuth, 1e-5) << "vertex " << i;
  }
  EXPECT_EQ(northU.size(), 16u);
  EXPECT_EQ(southU.size(), 16u);
  EXPECT_EQ(seam, 7);  // one per inner ring
}

TEST_F(EmbeddedSphere, FacesPointOutwardAndCloseTheSurface) {
  for (uint32_t f = 0; f < geometry_->faceCount; ++f) {
    const Vector3 normal = test::FaceNormal(*geometry_, f);
    const Vector3 a = geometry_->Position(geometry_->indices[f * 3]);
    EXPECT_GT(Length(normal), 1e-3f) << "face " << f << " is degenerate";
    EXPECT_GT(Vec3Dot(&normal, &a), 0.0f) << "face " << f << " faces inward";
  }
  test::ExpectClosedAndConsistentlyWound(*geometry_);
}

}  // namespace
}  // namespace tf
