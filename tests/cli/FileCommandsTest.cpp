#include <gtest/gtest.h>

#include <filesystem>

#include <string>

#include "support/RunCommand.h"
#include "support/ShippedConfig.h"
#include "support/TempDir.h"

namespace tf {
namespace {

using test::CountLines;
using test::RunCli;

TEST(CliInfo, ReportsCountsTypesAndCompanions) {
  auto result = RunCli("info samples/alanine-dipeptide.pdb", test::SourcePath("share"));
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.out.find("atoms\t22\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("bonds\t21\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("topology\tfound\n"), std::string::npos);
  EXPECT_NE(result.out.find("atoms-file\tfound\n"), std::string::npos);
  // AtomTypes come from the atoms file: amide nitrogens and carbonyl oxygens.
  EXPECT_NE(result.out.find("type\t7\tNam\t2\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("type\t10\tO2\t2\n"), std::string::npos) << result.out;
  EXPECT_TRUE(result.err.empty()) << result.err;

  result = RunCli(test::ShippedConfigOption() + " info '" + test::TestData("pdb/1A8O.pdb") + "'");
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.out.find("atoms\t644\n"), std::string::npos);
  EXPECT_NE(result.out.find("topology\tmissing\n"), std::string::npos);
}

TEST(CliConvert, WritesAllThreeFilesThatReadBackTheSame) {
  test::TempDir dir;
  std::string out = (dir / "copy.pdb").string();
  auto result = RunCli(test::ShippedConfigOption() + " convert '" +
                       test::SourcePath("share/samples/benzene.pdb") + "' '" + out + "'");
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(test::ReadBytes(out), test::ReadBytes(test::SourcePath("share/samples/benzene.pdb")));
  EXPECT_EQ(test::ReadBytes(dir / "copy.tftopology"),
            test::ReadBytes(test::SourcePath("share/samples/benzene.tftopology")));
  EXPECT_EQ(test::ReadBytes(dir / "copy.tfatoms"),
            test::ReadBytes(test::SourcePath("share/samples/benzene.tfatoms")));
}

TEST(CliErrors, OneLineOnStandardErrorAndExitCodeOne) {
  test::TempDir dir;
  test::WriteBytes(dir / "broken.ini", "[CHEMICAL_TYPES]\nCarbon C x 0\n");
  test::WriteBytes(dir / "text.pdb", "root:x:0:0:root:/root:/bin/bash\n");
  test::WriteBytes(dir / "corrupt.pdb",
                   "ATOM      1  C1  BEN A   1       0.000   1.400   0.000\n"
                   "ATOM      2  C2  BEN A   1       1.212   0.7x0   0.000\n"
                   "ATOM      3  C3  BEN A   1       1.212  -0.700   0.000\n");
  const std::string tool = "tessaform-cli: ";
  const std::string broken = (dir / "broken.ini").string();
  const std::string text = (dir / "text.pdb").string();
  const std::string corrupt = (dir / "corrupt.pdb").string();
  const struct {
    std::string args;
    std::string start;  // how the line on standard error begins
  } cases[] = {
      {test::ShippedConfigOption() + " info '" + (dir / "absent.pdb").string() + "'", tool},
      {"--config '" + broken + "' info x.pdb",
       broken + ":2: record cannot be read: Carbon C x 0\n"},
      {"--config '" + (dir / "absent.ini").string() + "' info x.pdb", tool},
      {test::ShippedConfigOption() + " info", tool},
      {test::ShippedConfigOption() + " frobnicate x.pdb", tool},
      {test::ShippedConfigOption() + " convert '" + test::SourcePath("share/samples/water.pdb") +
           "' '" + (dir / "no-such-folder/out.pdb").string() + "'",
       tool},
      {"--config", tool},
      // Every command that reads a molecule refuses a file without atom
      // records, and one whose records stop at a number that cannot be read.
      {test::ShippedConfigOption() + " charges '" + text + "'", text + ": no atom records\n"},
      {test::ShippedConfigOption() + " info '" + text + "'", text + ": no atom records\n"},
      {test::ShippedConfigOption() + " energy '" + corrupt + "'",
       corrupt + ":2: number cannot be read: ATOM      2  C2  BEN A   1       1.212   0.7x0"},
      {test::ShippedConfigOption() + " convert '" + corrupt + "' '" + (dir / "out.pdb").string() +
           "'",
       corrupt + ":2: number cannot be read: "},
  };
  for (const auto& c : cases) {
    auto result = RunCli(c.args);
    EXPECT_EQ(result.exitCode, 1) << c.args;
    if (c.start != tool) {
      EXPECT_EQ(CountLines(result.err), 1) << result.err;
    }
    EXPECT_EQ(result.err.rfind(c.start, 0), 0u) << result.err;
    EXPECT_TRUE(result.out.empty()) << c.args;
  }
  EXPECT_EQ(CountLines(RunCli(cases[0].args).err), 1);
  EXPECT_FALSE(std::filesystem::exists(dir / "out.pdb")) << "a partly read molecule is not saved";
}

}  // namespace
}  // namespace tf
