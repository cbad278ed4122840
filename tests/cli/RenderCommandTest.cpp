#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>

#include "support/RunCommand.h"
#include "support/ShippedConfig.h"
#include "support/TempDir.h"

namespace tf {
namespace {

using test::RunCli;

// Width and height from a PNG file's header chunk; 0 x 0 when it is no PNG.
std::pair<uint32_t, uint32_t> PngSize(const std::string& bytes) {
  if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 ||
      bytes.compare(12, 4, "IHDR") != 0)
    return {0, 0};
  auto be32 = [&](size_t at) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
    return value;
  };
  return {be32(16), be32(20)};
}

TEST(CliRender, WritesAPictureOfTheAskedSizeInEveryStyle) {
  test::TempDir dir;
  for (const char* style : {"wireframe", "spacefill", "sticks", "ball-stick"}) {
    const auto png = dir / (std::string(style) + ".png");
    const auto result =
        RunCli("render samples/alanine-dipeptide.pdb '" + png.string() + "' --style " + style +
                   " --size 320x240 --rotate 30,-20 --select 0,3",
               test::SourcePath("share"));
    ASSERT_EQ(result.exitCode, 0) << style << ": " << result.err;
    EXPECT_EQ(PngSize(test::ReadBytes(png)), std::make_pair(320u, 240u)) << style;
  }
  const auto strain = dir / "strain.png";
  const auto coloured = RunCli("render samples/alanine-dipeptide.pdb '" + strain.string() +
                                   "' --size 320x240 --rotate 30,-20 --select 0,3 --color strain",
                               test::SourcePath("share"));
  ASSERT_EQ(coloured.exitCode, 0) << coloured.err;
  EXPECT_EQ(PngSize(test::ReadBytes(strain)), std::make_pair(320u, 240u));
  EXPECT_NE(test::ReadBytes(strain), test::ReadBytes(dir / "ball-stick.png"))
      << "the strain colours are not drawn";
  const auto fallback = dir / "default.png";
  ASSERT_EQ(
      RunCli("render samples/water.pdb '" + fallback.string() + "'", test::SourcePath("share"))
          .exitCode,
      0);
  EXPECT_EQ(PngSize(test::ReadBytes(fallback)), std::make_pair(700u, 600u));
}

// The same three atoms selected in another order differ only in the overlay's
// measurement line: the angle at the second atom listed.
TEST(CliRender, ListedAtomsAreMeasuredInTheirOrder) {
  test::TempDir dir;
  const auto render = [&](const std::string& select) {
    const auto png = dir / (select + ".png");
    const auto result =
        RunCli("render samples/water.pdb '" + png.string() + "' --size 320x240 --select " + select,
               test::SourcePath("share"));
    EXPECT_EQ(result.exitCode, 0) << select << ": " << result.err;
    return test::ReadBytes(png);
  };
  const std::string atOxygen = render("1,0,2");
  ASSERT_FALSE(atOxygen.empty());
  EXPECT_EQ(render("2,0,1"), atOxygen) << "the same angle read backwards";
  EXPECT_NE(render("0,1,2"), atOxygen) << "the angle at a hydrogen";
}

TEST(CliRender, BadInputFailsWithOneLineAndLeavesNoPicture) {
  test::TempDir dir;
  const auto png = dir / "out.png";
  const std::string out = " '" + png.string() + "'";
  for (const std::string& args : {"render samples/water.pdb" + out + " --style cartoon",
                                  "render samples/water.pdb" + out + " --size 0x600",
                                  "render samples/water.pdb" + out + " --size 700x600x2",
                                  "render samples/water.pdb" + out + " --zoom 9",
                                  "render samples/water.pdb" + out + " --rotate 10",
                                  "render samples/water.pdb" + out + " --select 3",
                                  "render samples/water.pdb" + out + " --select 1,x",
                                  "render samples/water.pdb" + out + " --color type",
                                  "render samples/water.pdb" + out + " --frobnicate 1",
                                  "render samples/no-such-file.pdb" + out}) {
    const auto result = RunCli(args, test::SourcePath("share"));
    EXPECT_EQ(result.exitCode, 1) << args;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << args << result.err;
    EXPECT_FALSE(std::filesystem::exists(png)) << args;
  }
}

}  // namespace
}  // namespace tf
