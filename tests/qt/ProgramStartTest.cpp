// The program itself, started as a person or the desktop starts it.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

namespace tf::test {
namespace {

struct Outcome {
  int exitCode = -1;
  std::string errorOutput;
};

// Runs the program in `directory` with `environment` prepended to its command line.
Outcome RunProgram(const std::string& directory, const std::string& environment) {
  const std::string command =
      "cd '" + directory + "' && " + environment + " '" + TF_TESSAFORM_PATH + "' 2>&1 >/dev/null";
  Outcome outcome;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return outcome;
  std::array<char, 256> buffer{};
  while (fgets(buffer.data(), buffer.size(), pipe) != nullptr) outcome.errorOutput += buffer.data();
  const int status = pclose(pipe);
  outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}

TEST(ProgramStartTest, AMissingParameterFileEndsTheStartWithOneLineAndCode1) {
  const std::filesystem::path empty =
      std::filesystem::temp_directory_path() / ("tessaform-empty-" + std::to_string(getpid()));
  std::filesystem::create_directories(empty);
  const Outcome outcome = RunProgram(empty.string(), "");
  std::filesystem::remove_all(empty);
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_EQ(outcome.errorOutput, "tessaform: config.ini was not found in the working directory " +
                                     empty.string() + "\n");
}

TEST(ProgramStartTest, ShowsItsFirstFrameAndEndsCleanly) {
  const Outcome outcome =
      RunProgram(std::string(TF_SOURCE_DIR) + "/share", "TESSAFORM_EXIT_AFTER_FIRST_FRAME=1");
  EXPECT_EQ(outcome.exitCode, 0) << outcome.errorOutput;
  EXPECT_NE(outcome.errorOutput.find("tessaform: first frame on screen"), std::string::npos)
      << outcome.errorOutput;
}

TEST(ProgramStartTest, WithoutADisplayItSaysSoAndEndsWithCode1) {
  const Outcome outcome = RunProgram(std::string(TF_SOURCE_DIR) + "/share",
                                     "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM");
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_EQ(outcome.errorOutput.find('\n'), outcome.errorOutput.size() - 1) << outcome.errorOutput;
  EXPECT_NE(outcome.errorOutput.find("display"), std::string::npos);
}

}  // namespace
}  // namespace tf::test
