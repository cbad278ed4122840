// Reading and writing a full store (7000 atoms, 1000 bonds) as a PDB file
// with its two companion files.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "forcefield/FixedText.h"
#include "forcefield/ParameterFile.h"
#include "io/MoleculeFiles.h"

namespace {

struct FullMolecule {
  std::unique_ptr<tf::MoleculeStore> store = std::make_unique<tf::MoleculeStore>();
  std::filesystem::path folder;
  std::u16string path;

  FullMolecule() {
    if (!tf::LoadParameterFile(store->tables, TF_SOURCE_DIR "/share/config.ini")) std::abort();
    folder = std::filesystem::temp_directory_path() / "tessaform-bench";
    std::filesystem::create_directories(folder);
    path = tf::FromUtf8((folder / "full.pdb").string());
    std::mt19937 random(7);
    std::uniform_real_distribution<float> coordinate(-60.0f, 60.0f);
    const char16_t* names[] = {u"CA", u"N", u"O", u"HB2", u"CB"};
    for (uint32_t i = 0; i < tf::kMaxAtoms; ++i) {
      tf::Atom& atom = store->atoms[i];
      tf::SetText(atom.name, std::u16string_view(names[i % 5]));
      tf::SetText(atom.fragmentName, std::u16string_view(u"ALA"));
      atom.serial = static_cast<int32_t>(i + 1);
      atom.fragmentNumber = static_cast<int32_t>(i / 10);
      atom.x = coordinate(random), atom.y = coordinate(random), atom.z = coordinate(random);
      atom.charge = coordinate(random) / 100.0f;
    }
    store->atomCount = tf::kMaxAtoms;
    for (uint32_t b = 0; b < tf::kMaxBonds; ++b)
      store->bonds[b] = {static_cast<int32_t>(2 * b), static_cast<int32_t>(2 * b + 1)};
    store->bondCount = tf::kMaxBonds;
    for (uint32_t i = 0; i < tf::kMaxAtoms; ++i) tf::AssignTypeFromName(*store, i);
    tf::SetFilePath(*store, path);
    tf::WriteMolecule(*store);
  }
  ~FullMolecule() { std::filesystem::remove_all(folder); }
};

FullMolecule& Molecule() {
  static FullMolecule molecule;
  return molecule;
}

void BM_ReadMolecule7000(benchmark::State& state) {
  FullMolecule& molecule = Molecule();
  auto store = std::make_unique<tf::MoleculeStore>();
  store->tables = molecule.store->tables;
  tf::SetFilePath(*store, molecule.path);
  for (auto _ : state) {
    tf::NewMolecule(*store);
    tf::ReadMolecule(*store);
    benchmark::DoNotOptimize(store->atomCount);
  }
  if (store->atomCount != tf::kMaxAtoms || store->bondCount != tf::kMaxBonds)
    state.SkipWithError("molecule did not read back whole");
}
BENCHMARK(BM_ReadMolecule7000)->Unit(benchmark::kMillisecond);

void BM_WriteMolecule7000(benchmark::State& state) {
  FullMolecule& molecule = Molecule();
  for (auto _ : state) tf::WriteMolecule(*molecule.store);
}
BENCHMARK(BM_WriteMolecule7000)->Unit(benchmark::kMillisecond);

}  // namespace
