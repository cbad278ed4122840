#include "support/GraphicsStore.h"

#include <gtest/gtest.h>

#include "shaping/ShapingWorker.h"
#include "support/ShippedConfig.h"
#include "view/Graphics.h"

namespace tf::test {

GraphicsStore::GraphicsStore()
    : configPath_(SourcePath("share/config.ini")), store_(std::make_unique<MoleculeStore>()) {
  store_->shell.clientSize = [] { return ClientSize{700, 600}; };
  store_->configPath = configPath_.c_str();
  EXPECT_EQ(InitGraphics(*store_, 24), 0);
}

GraphicsStore::~GraphicsStore() {
  ShutdownShaping(*store_);
  ReleaseGraphics(*store_);
}

}  // namespace tf::test
