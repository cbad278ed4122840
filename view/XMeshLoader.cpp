#include "view/XMeshLoader.h"

#include <cstring>
#include <map>
#include <utility>

#include "view/CreationFailures.h"
#include "view/Mesh.h"
#include "view/Resources.h"
#include "view/XFileParser.h"

namespace tf {

namespace {

constexpr uint32_t kNoNormal = UINT32_MAX;

// Output vertices: the file's positions first, in order, then one copy for
// every further normal a position is used with.
struct VertexPlan {
  std::vector<uint32_t> position;  // file position of each output vertex
  std::vector<uint32_t> normal;    // file normal of each output vertex, or kNoNormal
  std::vector<uint32_t> corner;    // output vertex of each polygon corner
};

VertexPlan PlanVertices(const XMeshData& data) {
  VertexPlan plan;
  const auto positionCount = static_cast<uint32_t>(data.positions.size());
  for (uint32_t i = 0; i < positionCount; ++i) plan.position.push_back(i);
  plan.normal.assign(positionCount, kNoNormal);
  std::map<std::pair<uint32_t, uint32_t>, uint32_t> copies;
  for (size_t k = 0; k < data.faceIndices.size(); ++k) {
    const uint32_t p = data.faceIndices[k];
    if (data.normals.empty()) {
      plan.corner.push_back(p);
      continue;
    }
    const uint32_t n = data.normalIndices[k];
    if (plan.normal[p] == kNoNormal || plan.normal[p] == n) {
      plan.normal[p] = n;
      plan.corner.push_back(p);
      continue;
    }
    auto [it, added] = copies.try_emplace({p, n}, static_cast<uint32_t>(plan.position.size()));
    if (added) {
      plan.position.push_back(p);
      plan.normal.push_back(n);
    }
    plan.corner.push_back(it->second);
  }
  return plan;
}

Material ToMaterial(const XMaterial& x) {
  Material material;
  material.diffuse = x.faceColor;
  material.specular = x.specular;
  material.emissive = x.emissive;
  material.power = x.power;
  return material;
}

long Invalid(std::string* error, const std::string& reason) {
  if (error) *error = reason;
  return kErrInvalidData;
}

void WriteVertices(const XMeshData& data, const VertexPlan& plan, const VertexLayout& layout,
                   uint8_t* out) {
  for (size_t v = 0; v < plan.position.size(); ++v, out += layout.stride) {
    std::memcpy(out, &data.positions[plan.position[v]], sizeof(Vector3));
    if (layout.normalOffset >= 0 && plan.normal[v] != kNoNormal)
      std::memcpy(out + layout.normalOffset, &data.normals[plan.normal[v]], sizeof(Vector3));
    if (layout.texCoordOffset >= 0)
      std::memcpy(out + layout.texCoordOffset, &data.texCoords[plan.position[v]], sizeof(TexCoord));
  }
}

}  // namespace

long LoadMeshFromXMemory(const void* data, size_t size, uint32_t options, GraphicsDevice* device,
                         std::vector<MeshMaterial>* materials, Mesh** mesh, std::string* error) {
  if (mesh == nullptr) return kErrInvalidCall;
  *mesh = nullptr;
  if (device == nullptr || data == nullptr) return kErrInvalidCall;
  if (CreationFails(CreationKind::kXMesh)) return kErrOutOfMemory;

  XMeshData parsed;
  std::string reason;
  if (ParseXFile({static_cast<const char*>(data), size}, &parsed, &reason) != kOk)
    return Invalid(error, reason);
  if (parsed.positions.empty() || parsed.faceSizes.empty())
    return Invalid(error, "the Mesh has no vertices or no faces");

  const VertexPlan plan = PlanVertices(parsed);
  if (plan.position.size() > kMaxMeshVertices)
    return Invalid(error, "the Mesh needs more than " + std::to_string(kMaxMeshVertices) +
                              " vertices once split by normals");
  uint64_t triangleCount = 0;
  for (uint32_t corners : parsed.faceSizes) triangleCount += corners - 2;
  if (triangleCount > kMaxMeshFaces)
    return Invalid(error, "the Mesh has more than " + std::to_string(kMaxMeshFaces) + " triangles");

  uint32_t fvf = kFvfXyz;
  if (!parsed.normals.empty()) fvf |= kFvfNormal;
  if (!parsed.texCoords.empty()) fvf |= kFvfTex1;
  Mesh* built = nullptr;
  if (long result =
          CreateMeshFVF(static_cast<uint32_t>(triangleCount),
                        static_cast<uint32_t>(plan.position.size()), options, fvf, device, &built);
      result != kOk)
    return result;

  void* vertices = nullptr;
  void* indices = nullptr;
  uint32_t* attributes = nullptr;
  built->LockVertexBuffer(0, &vertices);
  built->LockIndexBuffer(0, &indices);
  built->LockAttributeBuffer(0, &attributes);
  WriteVertices(parsed, plan, DescribeVertexFormat(fvf), static_cast<uint8_t*>(vertices));
  auto* index = static_cast<uint16_t*>(indices);
  size_t first = 0;
  for (size_t face = 0; face < parsed.faceSizes.size(); ++face) {
    const uint32_t corners = parsed.faceSizes[face];
    const uint32_t subset = parsed.faceMaterials.empty() ? 0 : parsed.faceMaterials[face];
    for (uint32_t i = 1; i + 1 < corners; ++i) {
      *index++ = static_cast<uint16_t>(plan.corner[first]);
      *index++ = static_cast<uint16_t>(plan.corner[first + i]);
      *index++ = static_cast<uint16_t>(plan.corner[first + i + 1]);
      *attributes++ = subset;
    }
    first += corners;
  }
  built->UnlockAttributeBuffer();
  built->UnlockIndexBuffer();
  built->UnlockVertexBuffer();

  if (materials) {
    materials->clear();
    for (const XMaterial& x : parsed.materials)
      materials->push_back({ToMaterial(x), x.textureFilename});
  }
  *mesh = built;
  return kOk;
}

long LoadMeshFromXResource(std::string_view name, std::string_view type, uint32_t options,
                           GraphicsDevice* device, std::vector<MeshMaterial>* materials,
                           Mesh** mesh) {
  if (mesh == nullptr) return kErrInvalidCall;
  *mesh = nullptr;
  if (device == nullptr) return kErrInvalidCall;
  const std::span<const uint8_t> bytes = FindResource(type, name);
  if (bytes.empty()) return kErrNotFound;
  return LoadMeshFromXMemory(bytes.data(), bytes.size(), options, device, materials, mesh);
}

}  // namespace tf
