#include "view/gl/OffscreenContext.h"

#include <epoxy/egl.h>
#include <epoxy/gl.h>

#include <cstdio>
#include <mutex>

namespace tf {

namespace {

// Every context shares the one surfaceless display. It stays initialised for
// the life of the process: terminating it unloads the driver, and loading
// that again for the next context costs time and leaks inside the driver.
std::mutex displayLock;
EGLDisplay sharedDisplay = EGL_NO_DISPLAY;

std::string EglError(const char* what) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%04X", static_cast<unsigned>(eglGetError()));
  return std::string("EGL: ") + what + " (error " + code + ")";
}

// The initialised surfaceless display, or EGL_NO_DISPLAY with the reason in `error`.
EGLDisplay SurfacelessDisplay(std::string* error) {
  std::lock_guard lock(displayLock);
  if (sharedDisplay != EGL_NO_DISPLAY) return sharedDisplay;
  if (!epoxy_has_egl()) {
    *error = "EGL: libEGL cannot be loaded";
    return EGL_NO_DISPLAY;
  }
  const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
  if (clientExtensions == nullptr ||
      !epoxy_extension_in_string(clientExtensions, "EGL_EXT_platform_base") ||
      !epoxy_extension_in_string(clientExtensions, "EGL_MESA_platform_surfaceless")) {
    *error = "EGL: the surfaceless platform (EGL_MESA_platform_surfaceless) is not available";
    return EGL_NO_DISPLAY;
  }
  EGLDisplay display =
      eglGetPlatformDisplayEXT(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (display == EGL_NO_DISPLAY) {
    *error = EglError("no surfaceless display");
    return EGL_NO_DISPLAY;
  }
  EGLint major = 0, minor = 0;
  if (!eglInitialize(display, &major, &minor)) {
    *error = EglError("the surfaceless display cannot be initialised");
    return EGL_NO_DISPLAY;
  }
  const char* extensions = eglQueryString(display, EGL_EXTENSIONS);
  if (extensions == nullptr ||
      !epoxy_extension_in_string(extensions, "EGL_KHR_no_config_context") ||
      !epoxy_extension_in_string(extensions, "EGL_KHR_surfaceless_context")) {
    *error = "EGL: contexts without a configuration or surface are not supported";
    eglTerminate(display);
    return EGL_NO_DISPLAY;
  }
  sharedDisplay = display;
  return display;
}

}  // namespace

std::unique_ptr<OffscreenContext> OffscreenContext::Create(std::string* error) {
  auto fail = [error](std::string reason) {
    if (error) *error = std::move(reason);
    return nullptr;
  };
  std::string reason;
  EGLDisplay display = SurfacelessDisplay(&reason);
  if (display == EGL_NO_DISPLAY) return fail(reason);
  if (!eglBindAPI(EGL_OPENGL_API)) return fail(EglError("desktop OpenGL is not available"));
  const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION,
                               3,
                               EGL_CONTEXT_MINOR_VERSION,
                               3,
                               EGL_CONTEXT_OPENGL_PROFILE_MASK,
                               EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT,
                               EGL_NONE};
  EGLContext context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
  if (context == EGL_NO_CONTEXT) return fail(EglError("no OpenGL 3.3 core context"));
  std::unique_ptr<OffscreenContext> offscreen(new OffscreenContext(display, context));
  if (!offscreen->MakeCurrent()) return fail(EglError("the context cannot be made current"));
  if (epoxy_gl_version() < 33) {
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    return fail(std::string("OpenGL 3.3 or newer is needed; the context has ") +
                (version ? version : "none"));
  }
  return offscreen;
}

OffscreenContext::~OffscreenContext() {
  eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglDestroyContext(display_, context_);
  eglReleaseThread();
}

bool OffscreenContext::MakeCurrent() {
  return eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_) == EGL_TRUE;
}

}  // namespace tf
