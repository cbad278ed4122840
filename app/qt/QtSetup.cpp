#include "app/qt/QtSetup.h"

#include <QByteArray>
#include <QSurfaceFormat>

namespace tf {

void PrepareQt() {
  // The screen's own scale is ignored; QT_SCALE_FACTOR still sets the device
  // pixel ratio, and the view replays its frames at that ratio.
  qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  QSurfaceFormat format;
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setVersion(3, 3);
  format.setProfile(QSurfaceFormat::CoreProfile);
  format.setDepthBufferSize(24);
  format.setStencilBufferSize(8);
  format.setSamples(0);
  QSurfaceFormat::setDefaultFormat(format);
}

}  // namespace tf
