#pragma once
// The recording graphics device: keeps the call structure of an immediate-mode
// device but records frames instead of drawing pixels.

#include <cstdint>

#include "view/Math.h"

namespace tf {

// Transform slots, numbered like the classic device's.
enum TransformStateType : int32_t { kTsView = 2, kTsProjection = 3, kTsWorld = 256 };

class GraphicsDevice {
 public:
  GraphicsDevice();

  // Stores the matrix as the current transform of the slot; 0 on success.
  long SetTransform(TransformStateType state, const Matrix* matrix);
  const Matrix& Transform(TransformStateType state) const;

 private:
  Matrix view_;
  Matrix projection_;
  Matrix world_;
};

}  // namespace tf
