#include <gtest/gtest.h>

#include <vector>

#include <filesystem>

#include "app/AppFixture.h"
#include "app/ExportImage.h"
#include "support/TempDir.h"
#include "view/GraphicsDevice.h"

namespace tf::test {
namespace {

PixelRect Presented(const Frame& frame) {
  return frame.destRect.value_or(PixelRect{});
}

TEST_F(AppTest, ExportImageAsksBeforeReplacingAndDrawsTheChosenSizeWithoutChangingTheWindow) {
  TempDir folder;
  const std::u16string existing = FromUtf8((folder / "old.png").string());
  WriteBytes(folder / "old.png", "keep");
  AddCarbon(0, 0);
  const PixelRect window = records_->view.camera.presentRect;
  const float zoom = records_->view.camera.zoom;
  desktop_.exportAnswers = {ImageExportChoice{existing, 1400, 1152},
                            ImageExportChoice{existing.substr(0, existing.size() - 4), 1400, 1152}};
  desktop_.questionAnswers = {false, true};
  // The picture has a camera of its own: the window's is never touched, not
  // even while the picture's frame is presented.
  std::vector<Camera> camerasAtPresent;
  records_->resources.device->SetPresentCallback(
      [&] { camerasAtPresent.push_back(records_->view.camera); });
  Send(CommandMessage(kCmdExportImage));
  records_->resources.device->SetPresentCallback(nullptr);
  ASSERT_GE(camerasAtPresent.size(), 2u);
  for (const Camera& camera : camerasAtPresent) {
    EXPECT_EQ(camera.zoom, zoom);
    EXPECT_EQ(camera.viewportWidth, window.right);
    EXPECT_EQ(camera.presentRect.top, window.top);
  }

  ASSERT_EQ(desktop_.exportRequests.size(), 2u) << "No returns to the dialog";
  EXPECT_EQ(desktop_.exportRequests[0].width, window.right - window.left);
  EXPECT_EQ(desktop_.exportRequests[0].height, window.bottom - window.top);
  EXPECT_EQ(desktop_.exportRequests[1].width, 1400) << "the dialog keeps the chosen size";
  ASSERT_EQ(desktop_.questions.size(), 2u);
  EXPECT_EQ(desktop_.questions[0], u"old.png already exists.\nDo you want to replace it?");
  ASSERT_EQ(desktop_.writtenPictures.size(), 1u);
  EXPECT_EQ(desktop_.writtenPictures[0].first, existing) << "\".png\" is added once";
  const PixelRect picture = desktop_.writtenPictures[0].second;
  EXPECT_EQ(picture.right - picture.left, 1400);
  EXPECT_EQ(picture.bottom - picture.top, 1152);

  const auto after = records_->resources.device->LatestFrame();
  EXPECT_EQ(Presented(*after).right, window.right) << "the window's own frame comes last";
  EXPECT_EQ(Presented(*after).top, window.top);
  EXPECT_EQ(Presented(*after).bottom, window.bottom);
  EXPECT_FLOAT_EQ(records_->view.camera.zoom, zoom);
}

TEST_F(AppTest, AFailedExportSaysWhy) {
  desktop_.exportAnswers = {ImageExportChoice{u"/nonexistent-folder/picture", 100, 100}};
  desktop_.pictureError = "cannot create the file";
  desktop_.TakeLog();
  Send(CommandMessage(kCmdExportImage));
  const Log log = desktop_.TakeLog();
  EXPECT_NE(std::find(log.begin(), log.end(),
                      "ShowMessageBox The image could not be saved: cannot create the file. | "
                      "Message | warning"),
            log.end());
  EXPECT_EQ(desktop_.writtenPictures.at(0).first, u"/nonexistent-folder/picture.png");
}

}  // namespace
}  // namespace tf::test
