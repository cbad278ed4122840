#include "view/GraphicsDevice.h"

namespace tf {

GraphicsDevice::GraphicsDevice() {
  MatrixIdentity(&view_);
  MatrixIdentity(&projection_);
  MatrixIdentity(&world_);
}

long GraphicsDevice::SetTransform(TransformStateType state, const Matrix* matrix) {
  switch (state) {
    case kTsView:
      view_ = *matrix;
      return 0;
    case kTsProjection:
      projection_ = *matrix;
      return 0;
    case kTsWorld:
      world_ = *matrix;
      return 0;
  }
  return -1;
}

const Matrix& GraphicsDevice::Transform(TransformStateType state) const {
  switch (state) {
    case kTsView:
      return view_;
    case kTsProjection:
      return projection_;
    default:
      return world_;
  }
}

}  // namespace tf
