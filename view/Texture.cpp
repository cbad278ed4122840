#include "view/Texture.h"

#include <atomic>
#include <utility>

#include "view/BmpReader.h"
#include "view/CreationFailures.h"
#include "view/GraphicsDevice.h"
#include "view/GraphicsTypes.h"
#include "view/Resources.h"

namespace tf {

namespace {

std::atomic<uint64_t> nextImageSerial{1};

}  // namespace

Texture::Texture(GraphicsDevice* device, std::shared_ptr<const TextureImage> image)
    : device_(device), image_(std::move(image)) {
  device_->AddRef();
}

Texture::~Texture() {
  device_->Release();
}

long CreateTextureFromFileInMemory(GraphicsDevice* device, const void* data, size_t size,
                                   Texture** texture) {
  if (texture == nullptr) return kErrInvalidCall;
  *texture = nullptr;
  if (device == nullptr || data == nullptr) return kErrInvalidCall;
  if (CreationFails(CreationKind::kTexture)) return kErrNotAvailable;

  BmpImage bitmap;
  if (ReadBmp(static_cast<const uint8_t*>(data), size, &bitmap, nullptr) != kOk)
    return kErrInvalidData;
  auto image = std::make_shared<TextureImage>();
  image->serial = nextImageSerial++;
  image->width = bitmap.width;
  image->height = bitmap.height;
  image->format = bitmap.hasAlpha ? kFormatA8R8G8B8 : kFormatX8R8G8B8;
  image->pixels = std::move(bitmap.pixels);
  *texture = new Texture(device, std::move(image));
  return kOk;
}

long CreateTextureFromResource(GraphicsDevice* device, int resourceId, Texture** texture) {
  if (texture == nullptr) return kErrInvalidCall;
  *texture = nullptr;
  if (device == nullptr) return kErrInvalidCall;
  const std::span<const uint8_t> bytes = FindResource(kResourceBitmap, resourceId);
  if (bytes.empty()) return kErrNotFound;
  return CreateTextureFromFileInMemory(device, bytes.data(), bytes.size(), texture);
}

}  // namespace tf
