#include "app/qt/QtSetup.h"

#include <QByteArray>
#include <QSurfaceFormat>

namespace tf {

void PrepareQt() {
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
