#pragma once
// A store started the way the program starts it: InitGraphics on the
// recording device, a 700 x 600 client area under a 24-pixel toolbar, and the
// shipped parameter file. Going away it shuts shaping down and releases the
// graphics, in the program's order.

#include <memory>
#include <string>

#include "model/MoleculeStore.h"

namespace tf::test {

class GraphicsStore {
 public:
  GraphicsStore();  // the test fails when InitGraphics does
  ~GraphicsStore();
  GraphicsStore(const GraphicsStore&) = delete;
  GraphicsStore& operator=(const GraphicsStore&) = delete;

  MoleculeStore& operator*() const { return *store_; }
  MoleculeStore* operator->() const { return store_.get(); }

 private:
  std::string configPath_;
  std::unique_ptr<MoleculeStore> store_;
};

}  // namespace tf::test
