// The bonds command: perceived bonds written to the topology file, the
// report on standard error, and bad arguments.

#include <gtest/gtest.h>

#include <string>

#include "support/RunCommand.h"
#include "support/ShippedConfig.h"
#include "support/TempDir.h"

namespace tf {
namespace {

using test::CountLines;
using test::RunCli;

TEST(CliBonds, WritesThePerceivedBondsAndReportsTheCounts) {
  test::TempDir dir;
  // An empty bond list beside the file keeps the reading from perceiving one.
  const std::string in = (dir / "in.pdb").string();
  test::WriteBytes(in, test::ReadBytes(test::TestData("pdb/estradiol.pdb")));
  test::WriteBytes(dir / "in.tftopology", "");
  const std::string out = (dir / "estradiol.pdb").string();
  auto result = RunCli(test::ShippedConfigOption() + " bonds '" + in + "' '" + out + "'");
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "23 bonds were added.\nNo candidate pair was refused.\n");
  EXPECT_TRUE(result.out.empty()) << result.out;
  const std::string topology = test::ReadBytes(dir / "estradiol.tftopology");
  EXPECT_EQ(CountLines(topology), 23);
  EXPECT_EQ(CountLines(test::ReadBytes(dir / "estradiol.tfatoms")), 20);
}

TEST(CliBonds, BadArgumentsFailWithOneLine) {
  test::TempDir dir;
  const std::string in = "'" + test::TestData("pdb/estradiol.pdb") + "'";
  const std::string cases[] = {
      test::ShippedConfigOption() + " bonds " + in,
      test::ShippedConfigOption() + " bonds " + in + " '" +
          (dir / "no-such-folder/out.pdb").string() + "'",
  };
  for (const auto& args : cases) {
    auto result = RunCli(args);
    EXPECT_EQ(result.exitCode, 1) << args;
    EXPECT_EQ(CountLines(result.err), 1) << result.err;
    EXPECT_EQ(result.err.rfind("tessaform-cli: ", 0), 0u) << result.err;
  }
}

}  // namespace
}  // namespace tf
