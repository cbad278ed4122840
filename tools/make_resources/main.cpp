// Writes the program's resource files, or with --check compares them with the
// files already in a directory:
//   tf-make-resources DIR           write the files into DIR
//   tf-make-resources --check DIR   exit 1 when any file in DIR differs

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "FileFormats.h"
#include "Images.h"

namespace {

std::map<std::string, std::string> GenerateAll() {
  using namespace tf::resources;
  return {
      {"grid_cell.bmp", EncodeBmp32(GridCellImage())},
      {"sphere_wire.bmp", EncodeBmp24(SelectionImage())},
      {"toolbar.bmp", EncodeBmp24(ToolbarImage())},
      {"molecule.ico", EncodeIco(IconImage())},
      {"sphere.x", SphereXText()},
  };
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
  const bool check = argc == 3 && std::strcmp(argv[1], "--check") == 0;
  if (argc != 2 && !check) {
    std::fprintf(stderr, "usage: %s [--check] DIRECTORY\n", argv[0]);
    return 2;
  }
  const std::filesystem::path directory = argv[argc - 1];
  int differences = 0;
  for (const auto& [name, bytes] : GenerateAll()) {
    const std::filesystem::path path = directory / name;
    if (check) {
      if (ReadFile(path) != bytes) {
        std::fprintf(stderr, "%s differs from the generated file\n", path.c_str());
        ++differences;
      }
      continue;
    }
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return differences == 0 ? 0 : 1;
}
