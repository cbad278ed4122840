#include "view/Font.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

#include "view/CreationFailures.h"
#include "view/GraphicsDevice.h"

namespace tf {

namespace {

// Text up to the terminating zero, or up to `count` characters.
std::u16string TakeText(const char16_t* text, int count) {
  if (count >= 0) return std::u16string(text, static_cast<size_t>(count));
  int length = 0;
  while (length < kMaxDrawTextLength && text[length] != 0) ++length;
  return std::u16string(text, static_cast<size_t>(length));
}

}  // namespace

Font::Font(GraphicsDevice* device, FontDescription description)
    : device_(device), description_(std::move(description)) {
  device_->AddRef();
  device_->AddDeviceDependent(+1);
}

Font::~Font() {
  if (!lost_) device_->AddDeviceDependent(-1);
  device_->Release();
}

int Font::DrawText(void* sprite, const char16_t* text, int count, PixelRect* rect, uint32_t format,
                   uint32_t color) {
  if (sprite != nullptr || text == nullptr || rect == nullptr || count < -1 || lost_) return 0;
  std::u16string content = TakeText(text, count);
  if (content.empty()) return 0;

  int lines = 1;
  size_t longest = 0;
  size_t lineStart = 0;
  for (size_t i = 0; i <= content.size(); ++i) {
    if (i == content.size() || (content[i] == u'\n' && !(format & kDtSingleLine))) {
      longest = std::max(longest, i - lineStart);
      lineStart = i + 1;
      if (i < content.size()) ++lines;
    }
  }
  const int lineHeight = std::abs(description_.height);
  const int height = lines * lineHeight;

  if (format & kDtCalcRect) {
    const int charWidth =
        description_.width ? static_cast<int>(description_.width) : lineHeight / 2;
    rect->right = rect->left + static_cast<int32_t>(longest) * charWidth;
    rect->bottom = rect->top + height;
    return height;
  }
  const long result =
      device_->RecordScreenItem(TextItem{std::move(content), *rect, format, color, description_});
  return result == kOk ? height : 0;
}

long Font::OnLostDevice() {
  if (!lost_) {
    lost_ = true;
    device_->AddDeviceDependent(-1);
  }
  return kOk;
}

long Font::OnResetDevice() {
  if (lost_) {
    lost_ = false;
    device_->AddDeviceDependent(+1);
  }
  return kOk;
}

long CreateFont(GraphicsDevice* device, int32_t height, uint32_t width, uint32_t weight,
                uint32_t mipLevels, bool italic, uint32_t charSet, uint32_t outputPrecision,
                uint32_t quality, uint32_t pitchAndFamily, const char16_t* faceName, Font** font) {
  if (font == nullptr) return kErrInvalidCall;
  *font = nullptr;
  if (device == nullptr || faceName == nullptr) return kErrInvalidCall;
  if (CreationFails(CreationKind::kFont)) return kErrOutOfMemory;
  FontDescription description{
      height,  width,           weight,  mipLevels,      italic,
      charSet, outputPrecision, quality, pitchAndFamily, TakeText(faceName, -1)};
  *font = new Font(device, std::move(description));
  return kOk;
}

}  // namespace tf
