#include "support/ShippedConfig.h"

namespace tf::test {

std::string SourcePath(const std::string& relative) {
  return std::string(TF_SOURCE_DIR) + "/" + relative;
}

std::string TestData(const std::string& relative) {
  return SourcePath("tests/data/" + relative);
}

}  // namespace tf::test
