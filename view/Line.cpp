#include "view/Line.h"

#include "view/CreationFailures.h"
#include "view/GraphicsDevice.h"

namespace tf {

Line::Line(GraphicsDevice* device) : device_(device) {
  device_->AddRef();
  device_->AddDeviceDependent(+1);
}

Line::~Line() {
  if (!lost_) device_->AddDeviceDependent(-1);
  device_->Release();
}

long Line::SetWidth(float width) {
  if (!(width > 0.0f)) return kErrInvalidCall;
  width_ = width;
  return kOk;
}

long Line::SetPattern(uint32_t pattern) {
  pattern_ = pattern;
  return kOk;
}

long Line::SetPatternScale(float scale) {
  if (!(scale > 0.0f)) return kErrInvalidCall;
  patternScale_ = scale;
  return kOk;
}

long Line::SetAntialias(bool antialias) {
  antialias_ = antialias;
  return kOk;
}

long Line::Begin() {
  if (inBatch_ || lost_) return kErrInvalidCall;
  inBatch_ = true;
  return kOk;
}

long Line::Draw(const Vector2* points, uint32_t count, uint32_t color) {
  if (points == nullptr || count < 2 || lost_) return kErrInvalidCall;
  LineItem item{{points, points + count}, color, width_, pattern_, patternScale_, antialias_};
  return device_->RecordScreenItem(std::move(item));
}

long Line::End() {
  if (!inBatch_) return kErrInvalidCall;
  inBatch_ = false;
  return kOk;
}

long Line::OnLostDevice() {
  if (!lost_) {
    lost_ = true;
    inBatch_ = false;
    device_->AddDeviceDependent(-1);
  }
  return kOk;
}

long Line::OnResetDevice() {
  if (lost_) {
    lost_ = false;
    device_->AddDeviceDependent(+1);
  }
  return kOk;
}

long CreateLine(GraphicsDevice* device, Line** line) {
  if (line == nullptr) return kErrInvalidCall;
  *line = nullptr;
  if (device == nullptr) return kErrInvalidCall;
  if (CreationFails(CreationKind::kLine)) return kErrOutOfMemory;
  *line = new Line(device);
  return kOk;
}

}  // namespace tf
