#include "support/TempDir.h"

#include <fstream>
#include <random>
#include <sstream>

namespace tf::test {

TempDir::TempDir() {
  std::random_device seed;
  std::mt19937_64 rng(seed());
  for (;;) {
    path_ = std::filesystem::temp_directory_path() / ("tessaform-test-" + std::to_string(rng()));
    if (std::filesystem::create_directory(path_)) break;
  }
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

}  // namespace tf::test
