#include "view/XFileParser.h"

#include <gtest/gtest.h>

#include "GraphicsTestSupport.h"
#include "view/GraphicsDevice.h"
#include "view/Mesh.h"
#include "view/XMeshLoader.h"

namespace tf {
namespace {

using test::Ref;

// A unit square in the z = 0 plane as one quad, with a fifth vertex making a
// triangle below it. Vertex 1 is used with two normals; the triangle has its
// own material, which is given by reference.
constexpr std::string_view kQuadAndTriangle = R"(xof 0303txt 0032
# exporters write templates and headers first
template Vector {
 <3D82AB5E-62DA-11cf-AB39-0020AF71E433>
 FLOAT x;
 FLOAT y;
 FLOAT z;
}
Header { 1; 0; 1; }
Material Shared { 0.0;1.0;0.0;1.0;; 5.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }

Mesh Square {
 5;
 0.0; 0.0; 0.0;,
 1.0; 0.0; 0.0;,
 1.0; 1.0; 0.0;,
 0.0; 1.0; 0.0;,
 1.0;-1.0; 0.0;;
 2;
 4; 0, 1, 2, 3;,
 3; 0, 4, 1;;
 VertexDuplicationIndices { 5; 5; 0, 1, 2, 3, 4;; }
 MeshNormals {
  2;
  0.0; 0.0; 1.0;,
  0.0; 0.0;-1.0;;
  2;
  4; 0, 0, 0, 0;,
  3; 1, 1, 1;;
 }
 MeshTextureCoords {
  5;
  0.0;0.0;, 1.0;0.0;, 1.0;1.0;, 0.0;1.0;, 1.0;-1.0;;
 }
 MeshMaterialList {
  2;
  2;
  0,
  1;;
  Material {
   1.0;0.5;0.25;1.0;;
   10.0;
   0.1;0.2;0.3;;
   0.0;0.0;0.0;;
   TextureFilename { "wood.bmp"; }
  }
  { Shared }
 }
}
)";

TEST(XFileParser, ReadsPolygonsNormalsTextureCoordinatesAndMaterials) {
  XMeshData mesh;
  std::string error;
  ASSERT_EQ(ParseXFile(kQuadAndTriangle, &mesh, &error), kOk) << error;
  ASSERT_EQ(mesh.positions.size(), 5u);
  EXPECT_EQ(mesh.positions[4].y, -1.0f);
  EXPECT_EQ(mesh.faceSizes, (std::vector<uint32_t>{4, 3}));
  EXPECT_EQ(mesh.faceIndices, (std::vector<uint32_t>{0, 1, 2, 3, 0, 4, 1}));
  ASSERT_EQ(mesh.normals.size(), 2u);
  EXPECT_EQ(mesh.normalIndices, (std::vector<uint32_t>{0, 0, 0, 0, 1, 1, 1}));
  ASSERT_EQ(mesh.texCoords.size(), 5u);
  EXPECT_EQ(mesh.texCoords[2].u, 1.0f);
  EXPECT_EQ(mesh.faceMaterials, (std::vector<uint32_t>{0, 1}));
  ASSERT_EQ(mesh.materials.size(), 2u);
  EXPECT_EQ(mesh.materials[0].faceColor.g, 0.5f);
  EXPECT_EQ(mesh.materials[0].power, 10.0f);
  EXPECT_EQ(mesh.materials[0].specular.b, 0.3f);
  EXPECT_EQ(mesh.materials[0].textureFilename, "wood.bmp");
  EXPECT_EQ(mesh.materials[1].faceColor.g, 1.0f);  // a reference reads as white
}

TEST(XFileParser, LoadingSplitsVerticesByNormalAndTriangulatesPolygons) {
  GraphicsDevice device;
  Mesh* raw = nullptr;
  std::vector<MeshMaterial> materials;
  std::string error;
  ASSERT_EQ(LoadMeshFromXMemory(kQuadAndTriangle.data(), kQuadAndTriangle.size(), kMeshManaged,
                                &device, &materials, &raw, &error),
            kOk)
      << error;
  Ref<Mesh> mesh(raw);
  EXPECT_EQ(mesh->GetFVF(), kFvfXyz | kFvfNormal | kFvfTex1);
  // Vertices 0 and 1 also appear in the triangle with the other normal.
  ASSERT_EQ(mesh->GetNumVertices(), 7u);
  ASSERT_EQ(mesh->GetNumFaces(), 3u);
  const auto g = mesh->Geometry();
  EXPECT_EQ(g->indices, (std::vector<uint16_t>{0, 1, 2, 0, 2, 3, 5, 4, 6}));
  EXPECT_EQ(g->attributes, (std::vector<uint32_t>{0, 0, 1}));
  EXPECT_EQ(g->Normal(0).z, 1.0f);
  EXPECT_EQ(g->Normal(4).z, -1.0f);  // vertex 4 is used only in the triangle
  EXPECT_EQ(g->Normal(5).z, -1.0f);
  EXPECT_EQ(g->Position(6).x, 1.0f);
  EXPECT_EQ(g->TexCoords(6).u, 1.0f);
  EXPECT_EQ(g->Position(5).x, 0.0f);
  ASSERT_EQ(materials.size(), 2u);
  EXPECT_EQ(materials[0].material.diffuse.g, 0.5f);
  EXPECT_EQ(materials[0].material.ambient.g, 0.0f);
  EXPECT_EQ(materials[0].textureFilename, "wood.bmp");
}

TEST(XFileParser, AcceptsAMinimalMeshWithoutOptionalParts) {
  constexpr std::string_view text =
      "xof 0302txt 0064\nMesh {3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;}\n"
      "Frame Ignored { FrameTransformMatrix { 1.0; } }";
  XMeshData data;
  ASSERT_EQ(ParseXFile(text, &data, nullptr), kOk);
  EXPECT_TRUE(data.normals.empty());
  EXPECT_TRUE(data.materials.empty());
  GraphicsDevice device;
  Mesh* raw = nullptr;
  ASSERT_EQ(LoadMeshFromXMemory(text.data(), text.size(), kMeshManaged, &device, nullptr, &raw),
            kOk);
  Ref<Mesh> mesh(raw);
  EXPECT_EQ(mesh->GetFVF(), kFvfXyz);
  EXPECT_EQ(mesh->Geometry()->attributes, std::vector<uint32_t>{0});
}

struct BadFile {
  std::string text;
  std::string expected;  // part of the error
};

std::string Mesh3(const std::string& tail) {
  return "xof 0302txt 0032\nMesh {\n3;\n0;0;0;,\n1;0;0;,\n0;1;0;;\n1;\n3;0,1,2;;\n" + tail;
}

TEST(XFileParser, RejectsBrokenFilesWithTheReasonAndLine) {
  const std::vector<BadFile> cases = {
      {"", "line 1: no \"xof \" header"},
      {"xof 0302bin 0032 binary", "is not the text format"},
      {"xof 0302tzip0032", "is not the text format"},
      {"xof 0302txt 0016", "float size"},
      {"xof 0302txt 0032\nHeader { 1; 0; 1; }\n", "no Mesh in the file"},
      {"xof 0302txt 0032\nMesh {\n3;\n0;0;0;,\n1;0;",
       "line 5: expected a number for a vertex, found the end"},
      {"xof 0302txt 0032\nMesh {\n2;\n0;abc;0;,\n",
       "line 4: expected a number for a vertex, found \"abc\""},
      {"xof 0302txt 0032\nMesh {\n1;\n0;1e99;0;;\n", "line 4: expected a number"},
      {"xof 0302txt 0032\nMesh {\n-3;\n", "expected a whole number for the vertex count"},
      {"xof 0302txt 0032\nMesh {\n3.5;\n", "expected a whole number for the vertex count"},
      {"xof 0302txt 0032\nMesh {\n70000;\n", "the vertex count \"70000\" exceeds 65535"},
      {"xof 0302txt 0032\nMesh {\n99999999999999999999;\n", "expected a whole number"},
      {"xof 0302txt 0032\nMesh {\n3;\n0;0;0;,\n1;0;0;,\n0;1;0;;\n1;\n3;0,1,7;;}",
       "line 8: index \"7\" in face 0 is not below 3"},
      {"xof 0302txt 0032\nMesh {3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 2;0,1;;}", "face 0 has 2 corners"},
      {Mesh3("MeshNormals { 1; 0;0;1;; 2; 3;0,0,0;, 3;0,0,0;; }}"),
       "MeshNormals has 2 faces, the Mesh 1"},
      {Mesh3("MeshNormals { 1; 0;0;1;; 1; 4;0,0,0,0;; }}"), "does not have as many corners"},
      {Mesh3("MeshNormals { 1; 0;0;1;; 1; 3;0,1,0;; }}"),
       "index \"1\" in normal face 0 is not below 1"},
      {Mesh3("MeshNormals { 0; 0; }}"), "MeshNormals holds no normals"},
      {Mesh3("MeshTextureCoords { 2; 0;0;, 1;1;; }}"), "has 2 entries for 3 vertices"},
      {Mesh3("MeshMaterialList { 1; 1; 1;; }}"), "material index \"1\" is not below 1"},
      {Mesh3("MeshMaterialList { 1; 2; 0, 0;; }}"), "names materials for 2 faces, the Mesh has 1"},
      {Mesh3("MeshMaterialList { 1; 1; 0;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; "
             "TextureFilename { wood; } } }}"),
       "expected a quoted file name"},
      {Mesh3("MeshMaterialList { 1; 1; 0;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; "
             "TextureFilename { \"wood.bmp } } }}"),
       "expected a quoted file name, found \"\"wood.bmp"},
      {Mesh3("MeshNormals { 3; 0;0;1;, 0;0;1;, 0;0;1;; 1; 3;0,1,2;; }\n"
             "MeshNormals { 3; 0;0;1;, 0;0;1;, 0;0;1;; 1; 3;0,1,2;; }}"),
       "line 10: a second MeshNormals"},
      {Mesh3("}\nMesh {3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;}"), "line 10: more than one Mesh"},
      {Mesh3("Unknown { { {"), "not closed before the end of the file"},
      {Mesh3(""), "not closed"},
      {Mesh3("@}"), "unexpected \"@\" in the Mesh"},
      {"xof 0302txt 0032\nMesh 12 {", "expected \"{\" to open the Mesh, found \"12\""},
      {"xof 0302txt 0032\n}", "unexpected \"}\" outside an object"},
      {"xof 0302txt 0032\nMesh {0;0;}", "the Mesh has no vertices or no faces"},
  };
  GraphicsDevice device;
  for (const BadFile& bad : cases) {
    Mesh* mesh = reinterpret_cast<Mesh*>(1);
    std::string error;
    EXPECT_EQ(LoadMeshFromXMemory(bad.text.data(), bad.text.size(), kMeshManaged, &device, nullptr,
                                  &mesh, &error),
              kErrInvalidData)
        << bad.text;
    EXPECT_EQ(mesh, nullptr);
    EXPECT_NE(error.find(bad.expected), std::string::npos) << "error \"" << error << "\" for:\n"
                                                           << bad.text;
  }
}

TEST(XFileParser, SurvivesEveryTruncationOfAGoodFile) {
  for (size_t length = 0; length < kQuadAndTriangle.size(); ++length) {
    XMeshData data;
    std::string error;
    const long result = ParseXFile(kQuadAndTriangle.substr(0, length), &data, &error);
    // Only cuts inside the trailing whitespace leave a complete file.
    if (result == kOk) {
      EXPECT_GT(length, kQuadAndTriangle.rfind('}')) << length;
    } else {
      EXPECT_FALSE(error.empty()) << length;
      EXPECT_TRUE(data.positions.empty()) << "a failed parse leaves no partial mesh";
    }
  }
}

}  // namespace
}  // namespace tf
