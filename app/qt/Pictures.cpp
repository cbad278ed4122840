#include "app/qt/Pictures.h"

#include "view/BmpReader.h"
#include "view/Resources.h"

namespace tf {

std::vector<QImage> ToolbarImages() {
  constexpr int kSide = 24, kCount = 6;
  const std::span<const uint8_t> bytes = FindResource(kResourceBitmap, kToolbarBitmap);
  BmpImage bitmap;
  if (bytes.empty() || ReadBmp(bytes.data(), bytes.size(), &bitmap, nullptr) != 0 ||
      bitmap.width < kSide * kCount || bitmap.height < kSide)
    return {};
  const uint32_t transparent = bitmap.Pixel(0, 0);
  std::vector<QImage> images;
  for (int i = 0; i < kCount; ++i) {
    QImage image(kSide, kSide, QImage::Format_ARGB32);
    for (int y = 0; y < kSide; ++y) {
      for (int x = 0; x < kSide; ++x) {
        const uint32_t pixel =
            bitmap.Pixel(static_cast<uint32_t>(i * kSide + x), static_cast<uint32_t>(y));
        image.setPixel(x, y, pixel == transparent ? 0u : (pixel | 0xFF000000u));
      }
    }
    images.push_back(image);
  }
  return images;
}

QIcon ProgramIcon() {
  const std::span<const uint8_t> bytes = FindResource(kResourceIcon, kProgramIcon);
  QImage image;
  if (bytes.empty() || !image.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "ICO"))
    return {};
  return QIcon(QPixmap::fromImage(image));
}

}  // namespace tf
