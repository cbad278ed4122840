#pragma once
// Paths of the files the repository ships, and a store loaded with them.

#include <memory>
#include <string>

#include "model/MoleculeStore.h"

namespace tf::test {

std::string SourcePath(const std::string& relative);  // under the repository
std::string TestData(const std::string& relative);    // under tests/data

// A zeroed store whose tables hold share/config.ini (the test fails if not).
std::unique_ptr<MoleculeStore> StoreWithShippedConfig();

}  // namespace tf::test
