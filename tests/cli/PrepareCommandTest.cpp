// prepare, build, --record, and the parameter file found from the tool's
// own place.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/RunCommand.h"
#include "support/ShippedConfig.h"
#include "support/TempDir.h"

namespace tf {
namespace {

using test::CountLines;
using test::RunCli;

std::string Quoted(const std::string& path) {
  return "'" + path + "'";
}

TEST(CliPrepare, TypesAndCompletesAHeavyAtomFile) {
  test::TempDir dir;
  const std::string in = test::TestData("perception/pdb-heavy/paracetamol.pdb");
  const std::string out = (dir / "out.pdb").string();
  auto result = RunCli(test::ShippedConfigOption() + " prepare " + Quoted(in) + " " + Quoted(out));
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, in + ": 11 atoms, 11 bonds; 0 types changed by perception\n"
                             "9 hydrogens were added.\n");
  EXPECT_EQ(CountLines(test::ReadBytes(dir / "out.tfatoms")), 20);
  EXPECT_EQ(CountLines(test::ReadBytes(dir / "out.tftopology")), 20);
  result = RunCli(test::ShippedConfigOption() + " info " + Quoted(out));
  EXPECT_NE(result.out.find("type\t7\tNam\t1\n"), std::string::npos) << result.out;

  result = RunCli(test::ShippedConfigOption() + " prepare " + Quoted(in) + " " + Quoted(out) +
                  " --no-hydrogens");
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(CountLines(test::ReadBytes(dir / "out.tfatoms")), 11);
}

TEST(CliBuild, MakesAMoleculeFromSmilesAndRefusesWhatItCannotParse) {
  test::TempDir dir;
  const std::string out = (dir / "phenol.sdf").string();
  auto result = RunCli(test::ShippedConfigOption() + " build 'c1ccccc1O' " + Quoted(out));
  ASSERT_EQ(result.exitCode, 0) << result.err;
  result = RunCli(test::ShippedConfigOption() + " info " + Quoted(out));
  EXPECT_NE(result.out.find("atoms\t13\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("type\t5\tC2\t6\n"), std::string::npos) << result.out;

  result = RunCli(test::ShippedConfigOption() + " build 'C1CC(' " + Quoted(out));
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "tessaform-cli: SMILES 'C1CC(': cannot be parsed\n");
}

TEST(CliRecord, PicksAMoleculeOfSeveralAndSaysSo) {
  const std::string file = test::TestData("perception/all.mol2");
  auto result = RunCli(test::ShippedConfigOption() + " --record 3 info " + Quoted(file));
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.out.find("atoms\t33\n"), std::string::npos) << result.out;
  EXPECT_EQ(result.err, file + " holds 40 molecules; molecule 3 was opened.\n");
  result = RunCli(test::ShippedConfigOption() + " info " + Quoted(file));
  EXPECT_EQ(result.err, file + " holds 40 molecules; the first was opened.\n");
  for (const char* bad : {"0", "x", "-2"}) {
    result = RunCli(test::ShippedConfigOption() + " --record " + bad + " info " + Quoted(file));
    EXPECT_EQ(result.exitCode, 1) << bad;
    EXPECT_EQ(result.err, "tessaform-cli: --record needs a molecule number from 1\n");
  }
}

TEST(CliConfig, FoundBesideTheInstalledToolFromAnyFolder) {
  test::TempDir prefix;
  std::filesystem::create_directories(prefix / "bin");
  std::filesystem::create_directories(prefix / "work");
  const std::string tool = (prefix / "bin" / "tessaform-cli").string();
  std::filesystem::copy_file(TF_CLI_PATH, tool);
  const std::string sample = Quoted(test::SourcePath("share/samples/water.pdb"));
  auto result = RunCli("info " + sample, (prefix / "work").string(), tool);
  EXPECT_EQ(result.exitCode, 1);
  const std::string share = (prefix / "share").string();
  EXPECT_EQ(result.err, "tessaform-cli: cannot load parameter file: tried 'config.ini', '" + share +
                            "/tessaform/config.ini', '" + share + "/config.ini'\n");
  std::filesystem::create_directories(prefix / "share" / "tessaform");
  std::filesystem::copy_file(test::SourcePath("share/config.ini"),
                             prefix / "share" / "tessaform" / "config.ini");
  result = RunCli("info " + sample, (prefix / "work").string(), tool);
  EXPECT_EQ(result.exitCode, 0) << result.err;
}

// Read alone, benzene's carbons are perceived aromatic (sp2), so shaping
// keeps the ring flat; sp3 carbons would pucker it.
TEST(CliShape, BenzeneReadWithoutCompanionsStaysFlat) {
  test::TempDir dir;
  test::WriteBytes(dir / "benzene.pdb",
                   test::ReadBytes(test::SourcePath("share/samples/benzene.pdb")));
  const std::string out = (dir / "shaped.pdb").string();
  auto result =
      RunCli(test::ShippedConfigOption() + " shape " + Quoted((dir / "benzene.pdb").string()) +
             " " + Quoted(out) + " --sweeps 300");
  ASSERT_EQ(result.exitCode, 0) << result.err;
  std::istringstream lines(test::ReadBytes(out));
  std::vector<std::array<double, 3>> carbons;
  for (std::string line; std::getline(lines, line) && carbons.size() < 6;) {
    if (line.rfind("ATOM", 0) == 0)
      carbons.push_back({std::stod(line.substr(30, 8)), std::stod(line.substr(38, 8)),
                         std::stod(line.substr(46, 8))});
  }
  ASSERT_EQ(carbons.size(), 6u);
  std::array<double, 3> centre{}, u{}, v{};
  for (int k = 0; k < 3; ++k) {
    for (const auto& c : carbons) centre[k] += c[k] / 6;
    u[k] = carbons[0][k] - carbons[3][k];
    v[k] = carbons[1][k] - carbons[4][k];
  }
  const std::array<double, 3> normal{u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                                     u[0] * v[1] - u[1] * v[0]};
  const double length = std::hypot(normal[0], normal[1], normal[2]);
  for (const auto& c : carbons) {
    double offset = 0;
    for (int k = 0; k < 3; ++k) offset += (c[k] - centre[k]) * normal[k] / length;
    EXPECT_LE(std::abs(offset), 0.05);
  }
}

}  // namespace
}  // namespace tf
