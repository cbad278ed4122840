#include "support/ShippedConfig.h"

#include <gtest/gtest.h>

#include "forcefield/ParameterFile.h"

namespace tf::test {

std::string SourcePath(const std::string& relative) {
  return std::string(TF_SOURCE_DIR) + "/" + relative;
}

std::string TestData(const std::string& relative) {
  return SourcePath("tests/data/" + relative);
}

std::unique_ptr<MoleculeStore> StoreWithShippedConfig() {
  auto store = std::make_unique<MoleculeStore>();
  EXPECT_TRUE(LoadParameterFile(store->tables, SourcePath("share/config.ini").c_str()));
  NewMolecule(*store);
  return store;
}

}  // namespace tf::test
