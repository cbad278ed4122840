#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "GraphicsTestSupport.h"
#include "support/FailureSwitches.h"
#include "view/Cylinder.h"
#include "view/Direct3D.h"
#include "view/Font.h"
#include "view/GraphicsDevice.h"
#include "view/Line.h"
#include "view/Mesh.h"
#include "view/Resources.h"
#include "view/Texture.h"
#include "view/XMeshLoader.h"

namespace tf {
namespace {

using test::Ref;

TEST(GraphicsCreation, Direct3DMakesAUsableDeviceWithTheGivenParameters) {
  Ref<Direct3D> direct3d(Direct3DCreate9(kSdkVersion));
  ASSERT_NE(direct3d, nullptr);
  EXPECT_EQ(Direct3DCreate9(31), nullptr);

  PresentParameters parameters;
  parameters.windowed = 1;
  parameters.swapEffect = kSwapEffectCopy;
  parameters.enableAutoDepthStencil = 1;
  parameters.autoDepthStencilFormat = kFormatD16;
  GraphicsDevice* raw = nullptr;
  ASSERT_EQ(direct3d->CreateDevice(kAdapterDefault, kDeviceTypeHal, nullptr,
                                   kCreateHardwareVertexProcessing, &parameters, &raw),
            kOk);
  Ref<GraphicsDevice> device(raw);
  EXPECT_EQ(device->TestCooperativeLevel(), kOk);
  EXPECT_EQ(device->Parameters().swapEffect, kSwapEffectCopy);
  EXPECT_EQ(device->RenderState(kRsZEnable), 1u);
  EXPECT_EQ(parameters.backBufferFormat, kFormatX8R8G8B8);

  GraphicsDevice* other = reinterpret_cast<GraphicsDevice*>(1);
  EXPECT_EQ(direct3d->CreateDevice(1, kDeviceTypeHal, nullptr, 0, &parameters, &other),
            kErrInvalidCall);
  EXPECT_EQ(other, nullptr);
  EXPECT_EQ(direct3d->CreateDevice(0, kDeviceTypeHal, nullptr, 0, nullptr, &other),
            kErrInvalidCall);
}

// Each creation function, run on a fresh device; true when it made its object.
struct Creation {
  const char* name;
  CreationKind kind;
  std::function<long(GraphicsDevice*, RefCounted**)> create;
};

std::vector<Creation> AllCreations() {
  auto keep = [](auto* object, RefCounted** out) { *out = object; };
  return {
      {"font", CreationKind::kFont,
       [=](GraphicsDevice* d, RefCounted** out) {
         Font* font = nullptr;
         const long result = CreateFont(d, 30, 10, 400, 0, false, 1, 0, 0, 48, u"Arial", &font);
         keep(font, out);
         return result;
       }},
      {"line", CreationKind::kLine,
       [=](GraphicsDevice* d, RefCounted** out) {
         Line* line = nullptr;
         const long result = CreateLine(d, &line);
         keep(line, out);
         return result;
       }},
      {"texture", CreationKind::kTexture,
       [=](GraphicsDevice* d, RefCounted** out) {
         Texture* texture = nullptr;
         const long result = CreateTextureFromResource(d, kSelectionBitmap, &texture);
         keep(texture, out);
         return result;
       }},
      {"sphere", CreationKind::kXMesh,
       [=](GraphicsDevice* d, RefCounted** out) {
         Mesh* mesh = nullptr;
         const long result = LoadMeshFromXResource(kSphereMeshName, kSphereMeshType, kMeshManaged,
                                                   d, nullptr, &mesh);
         keep(mesh, out);
         return result;
       }},
      {"cylinder", CreationKind::kCylinder,
       [=](GraphicsDevice* d, RefCounted** out) {
         Mesh* mesh = nullptr;
         const long result = CreateCylinder(d, 1, 1, 1, 16, 1, &mesh);
         keep(mesh, out);
         return result;
       }},
      {"mesh", CreationKind::kMeshFvf,
       [=](GraphicsDevice* d, RefCounted** out) {
         Mesh* mesh = nullptr;
         const long result =
             CreateMeshFVF(2, 4, kMeshManaged, kFvfXyz | kFvfNormal | kFvfTex1, d, &mesh);
         keep(mesh, out);
         return result;
       }},
  };
}

TEST(GraphicsCreation, AChosenCreationFailsAndTheOthersStillSucceed) {
  for (const Creation& failing : AllCreations()) {
    ScopedCreationFailure failure(failing.kind);
    for (const Creation& creation : AllCreations()) {
      GraphicsDevice device;
      RefCounted* object = reinterpret_cast<RefCounted*>(1);
      const long result = creation.create(&device, &object);
      // Every mesh is built on CreateMeshFVF, so its failure fails them all.
      const bool shouldFail =
          creation.kind == failing.kind ||
          (failing.kind == CreationKind::kMeshFvf &&
           (creation.kind == CreationKind::kXMesh || creation.kind == CreationKind::kCylinder));
      if (shouldFail) {
        EXPECT_LT(result, 0) << creation.name << " with " << failing.name << " failing";
        EXPECT_EQ(object, nullptr) << creation.name;
      } else {
        EXPECT_EQ(result, kOk) << creation.name << " with " << failing.name << " failing";
        ASSERT_NE(object, nullptr) << creation.name;
        object->Release();
      }
    }
  }
  {
    ScopedCreationFailure failure(CreationKind::kDirect3D);
    EXPECT_EQ(Direct3DCreate9(kSdkVersion), nullptr);
  }
  ScopedCreationFailure failure(CreationKind::kDevice);
  Ref<Direct3D> direct3d(Direct3DCreate9(kSdkVersion));
  ASSERT_NE(direct3d, nullptr);
  PresentParameters parameters;
  GraphicsDevice* device = nullptr;
  EXPECT_EQ(direct3d->CreateDevice(0, kDeviceTypeHal, nullptr, 0, &parameters, &device),
            kErrNotAvailable);
  EXPECT_EQ(device, nullptr);
}

TEST(GraphicsCreation, ObjectsKeepTheirDeviceAliveUntilReleased) {
  Ref<Direct3D> direct3d(Direct3DCreate9(kSdkVersion));
  PresentParameters parameters;
  GraphicsDevice* device = nullptr;
  ASSERT_EQ(direct3d->CreateDevice(0, kDeviceTypeHal, nullptr, 0, &parameters, &device), kOk);
  std::vector<RefCounted*> objects;
  for (const Creation& creation : AllCreations()) {
    RefCounted* object = nullptr;
    ASSERT_EQ(creation.create(device, &object), kOk) << creation.name;
    objects.push_back(object);
  }
  // The caller's reference, one per object, and this one.
  EXPECT_EQ(device->AddRef(), 2u + objects.size());
  device->Release();
  // Releasing the device before its objects must leave it usable by them.
  EXPECT_EQ(device->Release(), objects.size());
  for (RefCounted* object : objects) object->Release();
}

TEST(GraphicsCreation, MissingResourcesAndBadArgumentsAreReported) {
  GraphicsDevice device;
  Texture* texture = nullptr;
  EXPECT_EQ(CreateTextureFromResource(&device, 999, &texture), kErrNotFound);
  EXPECT_EQ(CreateTextureFromResource(nullptr, kSelectionBitmap, &texture), kErrInvalidCall);
  EXPECT_EQ(texture, nullptr);
  const char notABitmap[] = "not a bitmap";
  EXPECT_EQ(CreateTextureFromFileInMemory(&device, notABitmap, sizeof notABitmap, &texture),
            kErrInvalidData);
  EXPECT_EQ(texture, nullptr);

  Mesh* mesh = nullptr;
  EXPECT_EQ(
      LoadMeshFromXResource("SPHEREY", kSphereMeshType, kMeshManaged, &device, nullptr, &mesh),
      kErrNotFound);
  EXPECT_EQ(LoadMeshFromXResource(kSphereMeshName, "BITMAP", kMeshManaged, &device, nullptr, &mesh),
            kErrNotFound);
  EXPECT_EQ(CreateMeshFVF(0, 3, kMeshManaged, kFvfXyz, &device, &mesh), kErrInvalidCall);
  EXPECT_EQ(CreateMeshFVF(1, kMaxMeshVertices + 1, kMeshManaged, kFvfXyz, &device, &mesh),
            kErrInvalidCall);
  EXPECT_EQ(CreateMeshFVF(1, 3, kMeshManaged | kMesh32Bit, kFvfXyz, &device, &mesh),
            kErrInvalidCall);
  EXPECT_EQ(CreateMeshFVF(1, 3, kMeshManaged, kFvfNormal, &device, &mesh), kErrInvalidCall);
  EXPECT_EQ(CreateMeshFVF(1, 3, kMeshManaged, kFvfXyz | 0x200, &device, &mesh), kErrInvalidCall);
  EXPECT_EQ(CreateMeshFVF(1, 3, kMeshManaged, kFvfXyz, nullptr, &mesh), kErrInvalidCall);
  EXPECT_EQ(mesh, nullptr);
  Line* line = nullptr;
  EXPECT_EQ(CreateLine(nullptr, &line), kErrInvalidCall);
  Font* font = nullptr;
  EXPECT_EQ(CreateFont(&device, 30, 10, 400, 0, false, 1, 0, 0, 48, nullptr, &font),
            kErrInvalidCall);
}

TEST(GraphicsCreation, MeshBuffersPublishOnlyAfterAWritingLockEnds) {
  GraphicsDevice device;
  Mesh* raw = nullptr;
  ASSERT_EQ(CreateMeshFVF(2, 4, kMeshManaged, kFvfXyz | kFvfDiffuse, &device, &raw), kOk);
  Ref<Mesh> mesh(raw);
  EXPECT_EQ(mesh->GetNumBytesPerVertex(), 16u);
  EXPECT_EQ(mesh->UnlockIndexBuffer(), kErrInvalidCall);
  const uint64_t first = mesh->Geometry()->serial;

  void* data = nullptr;
  ASSERT_EQ(mesh->LockIndexBuffer(kLockReadOnly, &data), kOk);
  ASSERT_EQ(mesh->UnlockIndexBuffer(), kOk);
  EXPECT_EQ(mesh->Geometry()->serial, first);

  const uint16_t indices[] = {0, 2, 1, 0, 3, 2};
  ASSERT_EQ(mesh->LockIndexBuffer(0, &data), kOk);
  void* nested = nullptr;
  ASSERT_EQ(mesh->LockIndexBuffer(0, &nested), kOk);
  std::memcpy(data, indices, sizeof indices);
  ASSERT_EQ(mesh->UnlockIndexBuffer(), kOk);
  EXPECT_EQ(mesh->Geometry()->indices[1], 0u);  // still locked once
  device.BeginScene();
  EXPECT_EQ(mesh->DrawSubset(0), kErrInvalidCall);
  ASSERT_EQ(mesh->UnlockIndexBuffer(), kOk);
  EXPECT_EQ(mesh->DrawSubset(0), kOk);
  device.EndScene();
  EXPECT_NE(mesh->Geometry()->serial, first);
  EXPECT_EQ(mesh->Geometry()->indices,
            std::vector<uint16_t>(std::begin(indices), std::end(indices)));
}

}  // namespace
}  // namespace tf
