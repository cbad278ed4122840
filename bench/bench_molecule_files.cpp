// Reading and writing a full document (7000 atoms, 1000 bonds) as a PDB file
// with its two companion files.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "app/Application.h"
#include "base/FixedText.h"
#include "forcefield/ParameterFile.h"
#include "io/MoleculeFiles.h"

namespace {

struct FullMolecule {
  std::unique_ptr<tf::ApplicationRecords> records = std::make_unique<tf::ApplicationRecords>();
  std::filesystem::path folder;
  std::u16string path;

  FullMolecule() {
    if (!tf::LoadParameterFile(records->tables, TF_SOURCE_DIR "/share/config.ini")) std::abort();
    folder = std::filesystem::temp_directory_path() / "tessaform-bench";
    std::filesystem::create_directories(folder);
    path = tf::FromUtf8((folder / "full.pdb").string());
    std::mt19937 random(7);
    std::uniform_real_distribution<float> coordinate(-60.0f, 60.0f);
    const char16_t* names[] = {u"CA", u"N", u"O", u"HB2", u"CB"};
    for (uint32_t i = 0; i < tf::kMaxAtoms; ++i) {
      tf::Atom& atom = records->document.atoms[i];
      tf::SetText(atom.name, std::u16string_view(names[i % 5]));
      tf::SetText(atom.fragmentName, std::u16string_view(u"ALA"));
      atom.serial = static_cast<int32_t>(i + 1);
      atom.fragmentNumber = static_cast<int32_t>(i / 10);
      atom.x = coordinate(random), atom.y = coordinate(random), atom.z = coordinate(random);
      atom.charge = coordinate(random) / 100.0f;
    }
    records->document.atomCount = tf::kMaxAtoms;
    for (uint32_t b = 0; b < tf::kMaxBonds; ++b)
      records->document.bonds[b] = {static_cast<int32_t>(2 * b), static_cast<int32_t>(2 * b + 1)};
    records->document.bondCount = tf::kMaxBonds;
    for (uint32_t i = 0; i < tf::kMaxAtoms; ++i)
      tf::AssignTypeFromName(records->document, records->tables, i);
    tf::SetFilePath(records->document, path);
    tf::WriteMolecule(records->document);
  }
  ~FullMolecule() { std::filesystem::remove_all(folder); }
};

FullMolecule& Molecule() {
  static FullMolecule molecule;
  return molecule;
}

void BM_ReadMolecule7000(benchmark::State& state) {
  FullMolecule& molecule = Molecule();
  auto records = std::make_unique<tf::ApplicationRecords>();
  records->tables = molecule.records->tables;
  tf::SetFilePath(records->document, molecule.path);
  for (auto _ : state) {
    tf::NewMolecule(records->document);
    tf::ReadMolecule(records->document, records->tables);
    benchmark::DoNotOptimize(records->document.atomCount);
  }
  if (records->document.atomCount != tf::kMaxAtoms || records->document.bondCount != tf::kMaxBonds)
    state.SkipWithError("molecule did not read back whole");
}
BENCHMARK(BM_ReadMolecule7000)->Unit(benchmark::kMillisecond);

void BM_WriteMolecule7000(benchmark::State& state) {
  FullMolecule& molecule = Molecule();
  for (auto _ : state) tf::WriteMolecule(molecule.records->document);
}
BENCHMARK(BM_WriteMolecule7000)->Unit(benchmark::kMillisecond);

}  // namespace
