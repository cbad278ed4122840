// View > Color by Strain in the real window.

#include <QAction>
#include <QTest>

#include "app/WindowMessages.h"
#include "qt/RunningApp.h"
#include "view/GraphicsDevice.h"
#include "view/ViewResources.h"

namespace tf::test {
namespace {

using StrainColouringTest = RunningApp;

bool ShowsStrainScale(const Frame& frame) {
  for (const TextItem* text : frame.ItemsOf<TextItem>())
    if (text->text.starts_with(u"Strain: ")) return true;
  return false;
}

TEST_F(StrainColouringTest, TheViewItemTurnsTheColouringOnAndOff) {
  QAction* item = Window().MenuAction(kCmdColorByStrain);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->text(), "Color by Strain");
  EXPECT_FALSE(item->isChecked());
  GraphicsDevice& device = *records_->resources.device;
  for (bool on : {true, false}) {
    item->trigger();
    EXPECT_EQ(item->isChecked(), on);
    EXPECT_EQ(records_->view.colorByStrain, on);
    EXPECT_TRUE(QTest::qWaitFor([&] {
      const auto frame = device.LatestFrame();
      return frame && ShowsStrainScale(*frame) == on;
    }));
  }
}

}  // namespace
}  // namespace tf::test
