#include "view/Math.h"

namespace tf {

Matrix* MatrixIdentity(Matrix* out) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) out->m[r][c] = r == c ? 1.0f : 0.0f;
  return out;
}

}  // namespace tf
