#pragma once
// The vertex shader prologue shared by the screen-space passes (lines and
// text): positions in pixels of a backBufferSize area filling the viewport,
// origin top-left, y down.

namespace tf {

inline constexpr const char* kScreenPositionFunction = R"(
uniform vec2 backBufferSize;
vec4 ScreenToClip(vec2 pixel) {
  return vec4(pixel.x / backBufferSize.x * 2.0 - 1.0, 1.0 - pixel.y / backBufferSize.y * 2.0,
              0.0, 1.0);
}
)";

}  // namespace tf
