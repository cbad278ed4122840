#pragma once
// Parser for the part of the DirectX .x text format the program needs: one
// top-level Mesh with optional MeshNormals, MeshTextureCoords and
// MeshMaterialList (with Material and TextureFilename). Templates and other
// objects, including Frame hierarchies, are skipped.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Math.h"
#include "view/GraphicsTypes.h"
#include "view/MeshGeometry.h"

namespace tf {

// Limits that keep a hostile file from asking for unbounded memory.
inline constexpr uint32_t kMaxXVertices = 65535;
inline constexpr uint32_t kMaxXFaces = 1u << 20;
inline constexpr uint32_t kMaxXPolygonCorners = 1024;
inline constexpr uint32_t kMaxXMaterials = 65535;

struct XMaterial {
  ColorValue faceColor{1, 1, 1, 1};
  float power = 0;
  ColorValue specular{0, 0, 0, 1};
  ColorValue emissive{0, 0, 0, 1};
  std::string textureFilename;
};

// A mesh as written in the file: polygons of any size, normals indexed per
// polygon corner, and texture coordinates per position.
struct XMeshData {
  std::vector<Vector3> positions;
  std::vector<uint32_t> faceSizes;      // corners of each polygon
  std::vector<uint32_t> faceIndices;    // position of each corner, polygon after polygon
  std::vector<Vector3> normals;         // empty without MeshNormals
  std::vector<uint32_t> normalIndices;  // normal of each corner, like faceIndices
  std::vector<TexCoord> texCoords;      // empty, or one per position
  std::vector<XMaterial> materials;     // empty without MeshMaterialList
  std::vector<uint32_t> faceMaterials;  // material of each polygon, with materials
};

// Returns kOk, or kErrInvalidData with "line N: reason" in `error` (if given).
long ParseXFile(std::string_view text, XMeshData* mesh, std::string* error);

}  // namespace tf
