#pragma once
// Textures made from bitmaps: the embedded ones or a BMP file in memory.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "view/RefCounted.h"
#include "view/TextureImage.h"

namespace tf {

class GraphicsDevice;

class Texture : public RefCounted {
 public:
  uint32_t Width() const { return image_->width; }
  uint32_t Height() const { return image_->height; }
  uint32_t Format() const { return image_->format; }
  std::shared_ptr<const TextureImage> Image() const { return image_; }

 private:
  friend long CreateTextureFromFileInMemory(GraphicsDevice*, const void*, size_t, Texture**);
  Texture(GraphicsDevice* device, std::shared_ptr<const TextureImage> image);
  ~Texture() override;

  GraphicsDevice* device_;
  std::shared_ptr<const TextureImage> image_;
};

// A texture from a 24- or 32-bit BMP file in memory. 24-bit pixels are opaque
// (kFormatX8R8G8B8); 32-bit ones keep their alpha (kFormatA8R8G8B8).
// Fails with kErrInvalidCall for null arguments and kErrInvalidData for
// unreadable bytes; `*texture` is null on failure.
long CreateTextureFromFileInMemory(GraphicsDevice* device, const void* data, size_t size,
                                   Texture** texture);

// A texture from the program's embedded bitmap `resourceId`; kErrNotFound
// when there is no such bitmap.
long CreateTextureFromResource(GraphicsDevice* device, int resourceId, Texture** texture);

}  // namespace tf
