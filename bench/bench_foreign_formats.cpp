// Opening files without their types: a protein PDB file read alone (bonds
// and types perceived), the formats of other programs, and tessaform-cli
// prepare run as a whole process on a drug of 49 atoms.

#include <benchmark/benchmark.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/Application.h"
#include "base/FixedText.h"
#include "forcefield/ParameterFile.h"
#include "io/FileBytes.h"
#include "io/MoleculeFileCommands.h"
#include "io/MoleculeFiles.h"
#include "io/openbabel/Hydrogens.h"

namespace {

std::unique_ptr<tf::ApplicationRecords> Records() {
  auto records = std::make_unique<tf::ApplicationRecords>();
  if (!tf::LoadParameterFile(records->tables, TF_SOURCE_DIR "/share/config.ini")) std::abort();
  return records;
}

std::filesystem::path Scratch() {
  const auto folder = std::filesystem::temp_directory_path() / "tessaform-bench-formats";
  std::filesystem::create_directories(folder);
  return folder;
}

// PDB entry 1AVG's 3730 atom lines, then as many again shifted along x,
// cut at `atoms`: a protein file without companions or CONECT records.
std::string ProteinFile(uint32_t atoms) {
  const auto pdb = tf::ReadFileBytes(tf::FromUtf8(TF_SOURCE_DIR "/tests/data/pdb/1avg.pdb"));
  if (!pdb) std::abort();
  std::string lines;
  for (std::size_t start = 0; start < pdb->size();) {
    std::size_t end = pdb->find('\n', start);
    if (end == std::string::npos) end = pdb->size();
    const std::string line = pdb->substr(start, end - start);
    if (line.rfind("ATOM", 0) == 0 || line.rfind("HETATM", 0) == 0) lines += line + "\n";
    start = end + 1;
  }
  std::string file;
  uint32_t written = 0;
  for (int copy = 0; written < atoms; ++copy) {
    for (std::size_t start = 0; start < lines.size() && written < atoms; ++written) {
      const std::size_t end = lines.find('\n', start);
      std::string line = lines.substr(start, end - start);
      const double x = std::stod(line.substr(30, 8)) + 80.0 * copy;
      char field[16];
      std::snprintf(field, sizeof field, "%8.3f", x);
      line.replace(30, 8, field);
      file += line + "\n";
      start = end + 1;
    }
  }
  return file + "END\n";
}

void BM_OpenProteinWithoutCompanions(benchmark::State& state) {
  const uint32_t atoms = static_cast<uint32_t>(state.range(0));
  const std::string path = (Scratch() / "protein.pdb").string();
  if (!tf::WriteFileBytes(tf::FromUtf8(path), ProteinFile(atoms))) std::abort();
  auto records = Records();
  for (auto _ : state) {
    const tf::ReadReport report =
        tf::OpenMoleculeFile(records->document, records->tables, tf::FromUtf8(path));
    if (!report.read || records->document.atomCount != atoms) std::abort();
  }
  state.counters["bonds"] = records->document.bondCount;
}
BENCHMARK(BM_OpenProteinWithoutCompanions)->Arg(4779)->Unit(benchmark::kMillisecond);

void BM_OpenOtherFormat(benchmark::State& state, const char* file) {
  auto records = Records();
  const std::u16string path = tf::FromUtf8(std::string(TF_SOURCE_DIR "/tests/data/") + file);
  for (auto _ : state) {
    if (!tf::OpenMoleculeFile(records->document, records->tables, path).read) std::abort();
  }
  state.counters["atoms"] = records->document.atomCount;
}
BENCHMARK_CAPTURE(BM_OpenOtherFormat, sdf, "formats/paracetamol.sdf")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenOtherFormat, xyz, "formats/paracetamol.xyz")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenOtherFormat, mol2_library_of_40, "perception/all.mol2")
    ->Unit(benchmark::kMillisecond);

void BM_AddHydrogensToAHeavyAtomDrug(benchmark::State& state) {
  auto records = Records();
  const std::u16string path =
      tf::FromUtf8(TF_SOURCE_DIR "/tests/data/perception/pdb-heavy/haloperidol.pdb");
  for (auto _ : state) {
    state.PauseTiming();
    if (!tf::OpenMoleculeFile(records->document, records->tables, path).read) std::abort();
    state.ResumeTiming();
    benchmark::DoNotOptimize(tf::AddHydrogens(records->document, records->tables));
  }
  state.counters["atoms"] = records->document.atomCount;
}
BENCHMARK(BM_AddHydrogensToAHeavyAtomDrug)->Unit(benchmark::kMillisecond);

// The whole tessaform-cli process: start, parameter file, read, perceive,
// hydrogens, write.
void BM_PrepareProcessOnA49AtomDrug(benchmark::State& state) {
  const std::string out = (Scratch() / "prepared.pdb").string();
  const std::string command = std::string("'") + TF_CLI_PATH +
                              "' --config '" TF_SOURCE_DIR
                              "/share/config.ini' prepare '" TF_SOURCE_DIR
                              "/tests/data/perception/pdb-heavy/haloperidol.pdb' '" +
                              out + "' 2>/dev/null";
  for (auto _ : state) {
    const int status = std::system(command.c_str());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::abort();
  }
}
BENCHMARK(BM_PrepareProcessOnA49AtomDrug)->Unit(benchmark::kMillisecond);

}  // namespace
