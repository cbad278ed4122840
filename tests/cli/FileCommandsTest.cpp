#include <gtest/gtest.h>

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
  test::WriteBytes(dir / "broken.ini", "[CHEMICAL_TYPES]\nCarbon C 1 0\n");
  const std::string cases[] = {
      test::ShippedConfigOption() + " info '" + (dir / "absent.pdb").string() + "'",
      "--config '" + (dir / "broken.ini").string() + "' info x.pdb",
      "--config '" + (dir / "absent.ini").string() + "' info x.pdb",
      test::ShippedConfigOption() + " info",
      test::ShippedConfigOption() + " frobnicate x.pdb",
      test::ShippedConfigOption() + " convert '" + test::SourcePath("share/samples/water.pdb") +
          "' '" + (dir / "no-such-folder/out.pdb").string() + "'",
      "--config",
  };
  for (const auto& args : cases) {
    auto result = RunCli(args);
    EXPECT_EQ(result.exitCode, 1) << args;
    ASSERT_FALSE(result.err.empty()) << args;
    EXPECT_EQ(result.err.rfind("tessaform-cli: ", 0), 0u) << result.err;
    EXPECT_TRUE(result.out.empty()) << args;
  }
  EXPECT_EQ(CountLines(RunCli(cases[0]).err), 1);
}

}  // namespace
}  // namespace tf
