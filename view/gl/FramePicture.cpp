#include "view/gl/FramePicture.h"

#include <thread>

#include "view/gl/OffscreenRenderer.h"
#include "view/gl/PngWriter.h"

namespace tf {

bool WriteFramePicture(const Frame& frame, const std::filesystem::path& path, std::string* error) {
  bool written = false;
  std::string reason;
  std::thread drawing([&] {
    const auto renderer = OffscreenRenderer::Create(&reason);
    if (!renderer) {
      reason = "offscreen OpenGL is not available: " + reason;
      return;
    }
    RgbaImage image;
    written = renderer->Render(frame, &image, &reason) && WritePng(path, image, &reason);
  });
  drawing.join();
  if (!written && error != nullptr) *error = reason;
  return written;
}

}  // namespace tf
