#include "support/GraphicsStore.h"

#include <gtest/gtest.h>

#include <string>

#include "shaping/ShapingWorker.h"
#include "support/ShippedConfig.h"
#include "view/Graphics.h"
#include "view/GraphicsDevice.h"

namespace tf::test {

void GraphicsStoreDeleter::operator()(MoleculeStore* store) const {
  ShutdownShaping(*store);
  ReleaseGraphics(*store);
  delete store;
}

GraphicsStore StartGraphics(int32_t width, int32_t height, int32_t toolbarHeight) {
  static const std::string config = SourcePath("share/config.ini");
  GraphicsStore store(new MoleculeStore());
  store->configPath = config.c_str();
  store->shell.clientSize = [width, height] { return ClientSize{width, height}; };
  EXPECT_EQ(InitGraphics(*store, toolbarHeight), 0);
  return store;
}

std::shared_ptr<const Frame> DrawAndTake(MoleculeStore& store) {
  if (store.graphics.device == nullptr) return nullptr;
  const auto before = store.graphics.device->LatestFrame();
  Redraw(store);
  const auto after = store.graphics.device->LatestFrame();
  return after == before ? nullptr : after;
}

}  // namespace tf::test
