#pragma once
// What Qt must be told before the application object exists: frames are
// drawn in pixels, one framebuffer pixel per client pixel, into an OpenGL 3.3
// core context without multisampling (the view copies frames by blitting).

namespace tf {

void PrepareQt();

}  // namespace tf
