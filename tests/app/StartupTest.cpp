#include "app/Startup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>

#include "app/FakeDesktop.h"
#include "base/FixedText.h"
#include "support/FailureSwitches.h"
#include "support/ShippedConfig.h"
#include "support/TempDir.h"

namespace tf::test {
namespace {

using Log = std::vector<std::string>;

// Each test runs in a scratch working directory, where start-up looks for config.ini.
class StartupTest : public ::testing::Test {
 protected:
  StartupTest() : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir_.path());
  }
  ~StartupTest() override { std::filesystem::current_path(previous_); }

  void PutShippedConfig() {
    std::filesystem::copy_file(SourcePath("share/config.ini"), dir_ / "config.ini");
  }

  TempDir dir_;
  std::filesystem::path previous_;
};

TEST_F(StartupTest, StartsInOrderAndShutsDownCleanly) {
  PutShippedConfig();
  auto records = std::make_unique<ApplicationRecords>();
  FakeDesktop desktop;
  Application app(*records, desktop);
  const StartupOutcome outcome = StartApplication(app);
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_EQ(outcome.error, "");
  EXPECT_EQ(desktop.TakeLog(),
            (Log{"CreateMainWindow", "CheckToolButton 1021 on", "CheckModelRadio 40014",
                 "CreatePanels 111111", "ShowPanel AtomInfo on", "ShowPanel Shaping off",
                 "ShowMainWindow"}));
  EXPECT_EQ(desktop.typeEntries.size(), records->tables.atomTypeCount + 1);
  EXPECT_EQ(records->shaping.requestedShapingTerms, kAllTerms);
  EXPECT_EQ(app.state.atomInfoPanelWidth, 200);
  EXPECT_EQ(ToUtf8(app.state.startDirectory), std::filesystem::current_path().string());
  records->shaping.whenEnded();  // as the worker asks when it ends
  EXPECT_EQ(desktop.postedRefreshes.load(), 1);

  EXPECT_EQ(ShutdownApplication(app), 0);
  EXPECT_EQ(records->resources.device, nullptr);
  EXPECT_FALSE(records->shaping.whenEnded) << "nothing reaches the desktop any more";
  EXPECT_EQ(desktop.TakeLog(), (Log{"DestroyPanel AtomInfo", "DestroyPanel Shaping"}));
}

TEST_F(StartupTest, AFailedStartPrintsItsCauseExitsWithOneAndShowsNothing) {
  const std::string directory = std::filesystem::current_path().string();
  enum class Config { kMissing, kBroken, kShipped };
  const struct {
    Config config;
    bool windowFails, deviceFails;
    std::string error;
  } cases[] = {
      {Config::kMissing, false, false,
       "tessaform: config.ini was not found in the working directory " + directory},
      {Config::kBroken, false, false,
       "tessaform: config.ini in the working directory " + directory +
           " could not be loaded (config.ini: no sp3 carbon atom type (C, hybridization 3))"},
      {Config::kShipped, true, false, "tessaform: the main window could not be created"},
      {Config::kShipped, false, true,
       "tessaform: the graphics could not start: the device could not be made"},
  };
  for (const auto& c : cases) {
    std::filesystem::remove(dir_ / "config.ini");
    if (c.config == Config::kShipped) PutShippedConfig();
    if (c.config == Config::kBroken) WriteBytes(dir_ / "config.ini", "garbage\n");
    std::optional<ScopedCreationFailure> failure;
    if (c.deviceFails) failure.emplace(CreationKind::kDevice);
    auto records = std::make_unique<ApplicationRecords>();
    FakeDesktop desktop;
    desktop.windowCreated = !c.windowFails;
    Application app(*records, desktop);
    const StartupOutcome outcome = StartApplication(app);
    EXPECT_EQ(outcome.exitCode, 1) << c.error;
    EXPECT_EQ(outcome.error, c.error);
    for (const std::string& line : desktop.TakeLog()) {
      EXPECT_EQ(line.find("ShowMessageBox"), std::string::npos) << c.error;
      EXPECT_NE(line, "ShowMainWindow") << c.error;
    }
    EXPECT_EQ(records->resources.device, nullptr) << "released: " << c.error;
  }
}

}  // namespace
}  // namespace tf::test
