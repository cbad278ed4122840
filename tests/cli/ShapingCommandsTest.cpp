// The charges, energy and shape commands: output format, values on small
// hand-made molecules and the shipped samples, and bad arguments.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "support/RunCommand.h"
#include "support/ShippedConfig.h"
#include "support/TempDir.h"
#include "support/TestRecords.h"

namespace tf {
namespace {

using test::RunCli;

std::string Quoted(const std::filesystem::path& path) {
  return "'" + path.string() + "'";
}

std::vector<std::vector<std::string>> Records(const std::string& text) {
  std::vector<std::vector<std::string>> records;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::vector<std::string> fields;
    size_t start = 0, tab;
    while ((tab = line.find('\t', start)) != std::string::npos) {
      fields.push_back(line.substr(start, tab - start));
      start = tab + 1;
    }
    fields.push_back(line.substr(start));
    records.push_back(fields);
  }
  return records;
}

std::string AtomLine(int serial, const char* name, float x, float y, float z) {
  char line[96];
  std::snprintf(line, sizeof line, "ATOM  %5d  %-3s MOL A   1    %8.3f%8.3f%8.3f\r\n", serial, name,
                x, y, z);
  return line;
}

// Writes NAME.pdb with its topology and atoms files into `dir`.
std::filesystem::path WriteMolecule(const test::TempDir& dir, const std::string& name,
                                    const std::string& atoms, const std::string& bonds,
                                    const std::string& types) {
  test::WriteBytes(dir / (name + ".pdb"), atoms + "END\r\n");
  test::WriteBytes(dir / (name + ".tftopology"), bonds);
  test::WriteBytes(dir / (name + ".tfatoms"), types);
  return dir / (name + ".pdb");
}

// Two sp3 carbons (AtomType 4) bonded at 2.0 Angstrom; their distance
// parameter is 1.53.
std::filesystem::path StretchedBond(const test::TempDir& dir) {
  return WriteMolecule(dir, "stretched", AtomLine(1, "C1", 0, 0, 0) + AtomLine(2, "C2", 2, 0, 0),
                       "0\t1\r\n", "4\t0.0000\r\n4\t0.0000\r\n");
}

double Value(const std::vector<std::string>& record) {
  return std::strtod(record.at(1).c_str(), nullptr);
}

TEST(CliEnergy, SevenLinesByKindForAStretchedBond) {
  test::TempDir dir;
  const auto result = RunCli(test::ShippedConfigOption() + " energy " + Quoted(StretchedBond(dir)));
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const auto records = Records(result.out);
  const char* names[] = {"total",    "distances",     "angles", "out-of-plane",
                         "torsions", "lennard-jones", "coulomb"};
  ASSERT_EQ(records.size(), 7u) << result.out;
  for (int i = 0; i < 7; ++i) {
    ASSERT_EQ(records[i].size(), 2u);
    EXPECT_EQ(records[i][0], names[i]);
    EXPECT_EQ(records[i][1].size() - records[i][1].find('.'), 7u) << "six decimals";
  }
  // 300 (2.0 - 1.53)^2; the bonded pair has no non-bonded terms.
  EXPECT_NEAR(Value(records[1]), 66.27, 1e-3);
  EXPECT_NEAR(Value(records[0]), 66.27, 1e-3);
  for (int i = 2; i < 7; ++i) EXPECT_EQ(Value(records[i]), 0.0) << names[i];
}

TEST(CliEnergy, CoulombPairUsesTheChargesOfTheAtomsFile) {
  test::TempDir dir;
  // Two unbonded hydrogens 4 Angstrom apart with charges +-0.5.
  const auto file =
      WriteMolecule(dir, "ions", AtomLine(1, "H1", 0, 0, 0) + AtomLine(2, "H2", 0, 4, 0), "",
                    "3\t0.5000\r\n3\t-0.5000\r\n");
  const auto result = RunCli(test::ShippedConfigOption() + " energy " + Quoted(file));
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const auto records = Records(result.out);
  ASSERT_EQ(records.size(), 7u);
  EXPECT_NEAR(Value(records[6]), 332.06 * 0.5 * -0.5 / 4.0, 1e-3);
  EXPECT_NE(Value(records[5]), 0.0) << "hydrogens have Lennard-Jones parameters";
  EXPECT_NEAR(Value(records[0]), Value(records[5]) + Value(records[6]), 1e-5);
}

TEST(CliCharges, OneLinePerAtomWithFourDecimals) {
  const auto result = RunCli(test::ShippedConfigOption() + " charges '" +
                             test::SourcePath("share/samples/benzene.pdb") + "'");
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const auto records = Records(result.out);
  ASSERT_EQ(records.size(), 12u);
  double sum = 0.0;
  for (size_t i = 0; i < records.size(); ++i) {
    ASSERT_EQ(records[i].size(), 4u);
    EXPECT_EQ(records[i][0], std::to_string(i));
    EXPECT_EQ(records[i][2], i < 6 ? "C2" : "H");
    EXPECT_EQ(records[i][3].size() - records[i][3].find('.'), 5u) << records[i][3];
    sum += std::strtod(records[i][3].c_str(), nullptr);
  }
  EXPECT_EQ(records[0][1], "C1");
  // Six equal C-H pairs: every carbon the same, every hydrogen its opposite.
  for (size_t i = 1; i < 6; ++i) EXPECT_EQ(records[i][3], records[0][3]);
  EXPECT_LT(std::strtod(records[0][3].c_str(), nullptr), -0.01);
  EXPECT_EQ(records[6][3], records[0][3].substr(1));
  EXPECT_NEAR(sum, 0.0, 1e-3);
}

TEST(CliCharges, WriteSavesTheAtomsFileOnly) {
  test::TempDir dir;
  const std::string pdb = test::ReadBytes(test::SourcePath("share/samples/methanol.pdb"));
  const auto file =
      WriteMolecule(dir, "methanol", pdb.substr(0, pdb.find("END")),
                    test::ReadBytes(test::SourcePath("share/samples/methanol.tftopology")),
                    test::ReadBytes(test::SourcePath("share/samples/methanol.tfatoms")));
  const std::string pdbBefore = test::ReadBytes(file);
  const auto result = RunCli(test::ShippedConfigOption() + " charges " + Quoted(file) + " --write");
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const auto printed = Records(result.out);
  const auto saved = Records(test::ReadBytes(dir / "methanol.tfatoms"));
  ASSERT_EQ(saved.size(), printed.size());
  for (size_t i = 0; i < saved.size(); ++i) {
    ASSERT_EQ(saved[i].size(), 2u);
    EXPECT_EQ(saved[i][1], printed[i][3] + "\r") << i;
  }
  EXPECT_NE(saved[1][1], "0.0000\r");
  EXPECT_EQ(test::ReadBytes(file), pdbBefore);
}

std::vector<double> Coordinates(const std::string& pdb, int atom) {
  std::istringstream lines(pdb);
  std::string line;
  for (int i = 0; std::getline(lines, line);)
    if (line.rfind("ATOM", 0) == 0 && i++ == atom)
      return {std::stod(line.substr(30, 8)), std::stod(line.substr(38, 8)),
              std::stod(line.substr(46, 8))};
  return {};
}

TEST(CliShape, DistancesAloneBringTheBondToItsLengthAndTheSeedRepeatsTheRun) {
  test::TempDir dir;
  const auto in = Quoted(StretchedBond(dir));
  const auto out = dir / "out.pdb";
  const auto result = RunCli(test::ShippedConfigOption() + " shape " + in + " " + Quoted(out) +
                             " --sweeps 300 --seed 9 --terms 1");
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const auto a = Coordinates(test::ReadBytes(out), 0), b = Coordinates(test::ReadBytes(out), 1);
  ASSERT_EQ(a.size(), 3u);
  ASSERT_EQ(b.size(), 3u);
  EXPECT_NEAR(std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]), 1.53, 0.02);
  EXPECT_TRUE(std::filesystem::exists(dir / "out.tftopology"));
  const auto records = Records(result.out);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0][0], "initial");
  EXPECT_NEAR(Value(records[0]), 66.27, 1e-3);
  EXPECT_EQ(records[1][0], "final");
  EXPECT_LT(Value(records[1]), 0.5);
  int progressLines = 0;
  for (char c : result.err) progressLines += c == '\n';
  EXPECT_EQ(progressLines, 300);
  EXPECT_EQ(result.err.rfind("sweep 1/300\t", 0), 0u) << result.err.substr(0, 80);

  const auto again = dir / "again.pdb";
  ASSERT_EQ(RunCli(test::ShippedConfigOption() + " shape " + in + " " + Quoted(again) +
                   " --sweeps 300 --seed 9 --terms 0x01")
                .exitCode,
            0);
  EXPECT_EQ(test::ReadBytes(again), test::ReadBytes(out));
}

TEST(CliShape, ShapingASampleLowersItsEnergy) {
  test::TempDir dir;
  const auto out = dir / "shaped.pdb";
  const auto result = RunCli(test::ShippedConfigOption() + " shape '" +
                             test::SourcePath("share/samples/alanine-dipeptide.pdb") + "' " +
                             Quoted(out) + " --sweeps 150 --seed 3");
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const auto records = Records(result.out);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_LT(Value(records[1]), Value(records[0]));
}

TEST(CliShape, BadArgumentsFailWithOneLine) {
  test::TempDir dir;
  const std::string in = Quoted(StretchedBond(dir));
  const std::string out = Quoted(dir / "out.pdb");
  const std::string cases[] = {
      " shape " + in + " " + out,
      " shape " + in,
      " shape " + in + " " + out + " --sweeps",
      " shape " + in + " " + out + " --sweeps -3",
      " shape " + in + " " + out + " --sweeps 12x",
      " shape " + in + " " + out + " --sweeps 5 --terms 64",
      " shape " + in + " " + out + " --sweeps 5 --seed banana",
      " shape " + in + " " + out + " --sweeps 5 --speed 2",
      " shape " + Quoted(dir / "absent.pdb") + " " + out + " --sweeps 5",
      " energy",
      " energy " + in + " extra",
      " charges " + in + " --writ",
  };
  for (const auto& args : cases) {
    const auto result = RunCli(test::ShippedConfigOption() + args);
    EXPECT_EQ(result.exitCode, 1) << args;
    EXPECT_EQ(result.err.rfind("tessaform-cli: ", 0), 0u) << args << ": " << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << args;
    EXPECT_TRUE(result.out.empty()) << args;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "out.pdb"));
}

}  // namespace
}  // namespace tf

namespace tf {
namespace {

TEST(CliMinimize, ReachesTheMinimumItReportsAndWritesIt) {
  test::TempDir dir;
  const auto out = dir / "relaxed.pdb";
  const auto result = RunCli(test::ShippedConfigOption() + " minimize " +
                             Quoted(test::SourcePath("share/samples/alanine-dipeptide.pdb")) + " " +
                             Quoted(out) + " --rms 0.05");
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const auto lines = Records(result.out);
  ASSERT_EQ(lines.size(), 5u);
  const char* names[] = {"initial", "final", "rms-gradient", "steps", "evaluations"};
  for (size_t k = 0; k < 5; ++k) EXPECT_EQ(lines[k][0], names[k]);
  EXPECT_LT(std::stod(lines[1][1]), std::stod(lines[0][1]));
  EXPECT_LE(std::stod(lines[2][1]), 0.05);
  EXPECT_GE(std::stoi(lines[4][1]), std::stoi(lines[3][1]));

  // The written file has the energy reported, to the rounding of its coordinates.
  const auto energy =
      RunCli(test::ShippedConfigOption() + " energy " + Quoted(out) + " --per-atom");
  ASSERT_EQ(energy.exitCode, 0) << energy.err;
  const auto values = Records(energy.out);
  ASSERT_EQ(values.size(), 7u + 22u);
  const double total = std::stod(values[0][1]);
  EXPECT_NEAR(total, std::stod(lines[1][1]), 0.01);
  double shares = 0;
  for (size_t k = 7; k < values.size(); ++k) shares += std::stod(values[k][1]);
  EXPECT_NEAR(shares, total, 1e-4);

  const auto bad = RunCli(test::ShippedConfigOption() + " minimize " + Quoted(out) + " " +
                          Quoted(dir / "x.pdb") + " --rms 0,05");
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_EQ(test::CountLines(bad.err), 1);
}

}  // namespace
}  // namespace tf
