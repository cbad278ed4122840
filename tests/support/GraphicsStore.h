#pragma once
// A store whose graphics were started as the program starts them, on the
// recording device, with the shipped parameter file.

#include <memory>

#include "model/MoleculeStore.h"
#include "view/Frame.h"

namespace tf::test {

struct GraphicsStoreDeleter {
  void operator()(MoleculeStore* store) const;  // stops shaping, then releases the graphics
};
using GraphicsStore = std::unique_ptr<MoleculeStore, GraphicsStoreDeleter>;

// InitGraphics on a client of width x height with a toolbar strip of
// `toolbarHeight`; the test fails if start-up fails.
GraphicsStore StartGraphics(int32_t width = 700, int32_t height = 600, int32_t toolbarHeight = 0);

// Redraws and returns the frame that was presented (null if none was).
std::shared_ptr<const Frame> DrawAndTake(MoleculeStore& store);

}  // namespace tf::test
