#pragma once
// Paths of the files the repository ships.

#include <string>

namespace tf::test {

std::string SourcePath(const std::string& relative);  // under the repository
std::string TestData(const std::string& relative);    // under tests/data

}  // namespace tf::test
