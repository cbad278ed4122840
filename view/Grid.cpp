#include "view/Grid.h"

#include <cstring>

#include "view/GraphicsDevice.h"
#include "view/Mesh.h"
#include "view/Resources.h"
#include "view/Texture.h"

namespace tf {
namespace {

constexpr uint32_t kPlaneFvf = kFvfXyz | kFvfNormal | kFvfTex1;
constexpr uint32_t kStripFvf = kFvfXyz | kFvfNormal | kFvfDiffuse;
constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kGreen = 0xFF00FF00u;

struct PlaneVertex {
  float x, y, z, nx, ny, nz, u, v;
};
struct StripVertex {
  float x, y, z, nx, ny, nz;
  uint32_t color;
};
static_assert(sizeof(PlaneVertex) == 32 && sizeof(StripVertex) == 28);

template <typename Vertex>
bool CopyVertices(Mesh* mesh, const Vertex (&vertices)[4]) {
  void* data = nullptr;
  if (mesh == nullptr || mesh->LockVertexBuffer(0, &data) != kOk) return false;
  std::memcpy(data, vertices, sizeof vertices);
  return mesh->UnlockVertexBuffer() == kOk;
}

bool WriteQuadIndices(Mesh* mesh) {
  static constexpr uint16_t kIndices[6] = {0, 2, 1, 0, 3, 2};
  void* data = nullptr;
  if (mesh == nullptr || mesh->LockIndexBuffer(0, &data) != kOk) return false;
  std::memcpy(data, kIndices, sizeof kIndices);
  return mesh->UnlockIndexBuffer() == kOk;
}

template <typename T>
void ReleaseAndClear(T*& object) {
  if (object != nullptr) object->Release();
  object = nullptr;
}

}  // namespace

int CreateGrid(Grid& grid, GraphicsDevice* device) {
  grid.gridSize = 400.0f;
  grid.axisWidthFactor = 0.1f;
  grid.device = device;
  CreateMeshFVF(2, 4, kMeshManaged, kPlaneFvf, device, &grid.planeMesh);
  CreateMeshFVF(2, 4, kMeshManaged, kStripFvf, device, &grid.xAxisMesh);
  CreateMeshFVF(2, 4, kMeshManaged, kStripFvf, device, &grid.yAxisMesh);
  if (BuildGrid(grid, 1.0f) != 0) return 1;
  for (Mesh* mesh : {grid.planeMesh, grid.xAxisMesh, grid.yAxisMesh})
    if (!WriteQuadIndices(mesh)) return 1;
  if (CreateTextureFromResource(device, kGridCellBitmap, &grid.gridTexture) != kOk) return 1;
  grid.gridMaterial = Material{};
  grid.gridMaterial.diffuse = {1, 1, 1, 1};
  grid.gridMaterial.ambient = {1, 1, 1, 1};
  return 0;
}

int BuildGrid(Grid& grid, float spacing) {
  const float size = grid.gridSize;
  grid.gridStep = spacing;
  const int n = static_cast<int>(size / spacing);
  const float u0 = static_cast<float>(n % 2) * 0.5f -
                   (size - static_cast<float>(n) * spacing) / (spacing * 2.0f);
  const float u1 = size / spacing + u0;
  const float half = size / 2.0f;
  const PlaneVertex plane[4] = {{-half, half, 0, 0, 0, 1, u0, u0},
                                {half, half, 0, 0, 0, 1, u1, u0},
                                {half, -half, 0, 0, 0, 1, u1, u1},
                                {-half, -half, 0, 0, 0, 1, u0, u1}};
  if (!CopyVertices(grid.planeMesh, plane)) return 1;

  const float w = grid.axisWidthFactor * spacing * 0.5f;
  const StripVertex xAxis[4] = {{0, w, 0, 0, 0, 1, kRed},
                                {half, w, 0, 0, 0, 1, kRed},
                                {half, -w, 0, 0, 0, 1, kRed},
                                {0, -w, 0, 0, 0, 1, kRed}};
  if (!CopyVertices(grid.xAxisMesh, xAxis)) return 1;
  const StripVertex yAxis[4] = {{-w, 0, 0, 0, 0, 1, kGreen},
                                {-w, half, 0, 0, 0, 1, kGreen},
                                {w, half, 0, 0, 0, 1, kGreen},
                                {w, 0, 0, 0, 0, 1, kGreen}};
  return CopyVertices(grid.yAxisMesh, yAxis) ? 0 : 1;
}

void DrawGrid(Grid& grid) {
  GraphicsDevice* device = grid.device;
  if (device == nullptr || grid.planeMesh == nullptr) return;
  Matrix identity;
  MatrixIdentity(&identity);
  device->SetTransform(kTsWorld, &identity);
  device->SetMaterial(&grid.gridMaterial);
  device->SetTexture(0, grid.gridTexture);
  device->SetTextureStageState(0, kTssTexCoordIndex, 0);
  grid.planeMesh->DrawSubset(0);
  device->SetTexture(0, nullptr);
  if (grid.xAxisMesh) grid.xAxisMesh->DrawSubset(0);
  if (grid.yAxisMesh) grid.yAxisMesh->DrawSubset(0);
}

void ReleaseGrid(Grid& grid) {
  ReleaseAndClear(grid.gridTexture);
  ReleaseAndClear(grid.xAxisMesh);
  ReleaseAndClear(grid.yAxisMesh);
  ReleaseAndClear(grid.planeMesh);
  grid.device = nullptr;
}

}  // namespace tf
