// The window on a screen of device pixel ratio 2 (ctest runs this suite alone
// with QT_SCALE_FACTOR=2): the view fills its framebuffer at full resolution
// and a click, in client pixels, picks the atom under the pointer.

#include <QTest>

#include "app/DocumentFiles.h"
#include "base/FixedText.h"
#include "qt/RunningApp.h"

namespace tf::test {
namespace {

class HighDpiTest : public RunningApp {
 protected:
  void SetUp() override {
    // The ratio is fixed when the application object is made, before any test.
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) GTEST_SKIP() << "QT_SCALE_FACTOR unset";
    RunningApp::SetUp();
  }
};

TEST_F(HighDpiTest, TheViewFillsItsFramebufferAndAClickPicksTheAtomUnderThePointer) {
  ASSERT_EQ(View().devicePixelRatioF(), 2);
  OpenDocumentFile(*app_, FromUtf8(CopySample("water")));
  ASSERT_EQ(records_->document.atomCount, 3u);

  // Framebuffer pixels around an atom: its position in the view (the client
  // position less the toolbar) times 2. The hydrogens, atoms 1 and 2, are
  // white; the oxygen is red, which CountMoleculePixels does not count.
  const auto around = [&](uint32_t atom) {
    const QPoint client = AtomOnScreen(atom) - QPoint(0, ToolbarHeight());
    return QRect(client * 2 - QPoint(6, 6), QSize(12, 12));
  };
  QImage image;
  const auto shown = [&] {
    image = ViewImage();
    return CountMoleculePixels(image, around(1)) > 100 &&
           CountMoleculePixels(image, around(2)) > 100;
  };
  ASSERT_TRUE(QTest::qWaitFor(shown)) << "no hydrogen where its client position times 2 lies";
  EXPECT_EQ(image.size(), View().size() * 2);
  const QRect topLeftQuarter(QPoint(0, 0), image.size() / 2);
  EXPECT_GT(CountMoleculePixels(image, image.rect()),
            CountMoleculePixels(image, topLeftQuarter) + 1000);

  for (uint32_t atom : {0u, 2u}) {
    Press(Qt::LeftButton, AtomOnScreen(atom));
    Release(Qt::LeftButton, AtomOnScreen(atom));
    for (uint32_t i = 0; i < records_->document.atomCount; ++i)
      EXPECT_EQ(records_->document.atoms[i].selected, i == atom ? 1 : 0)
          << "clicked " << atom << ", atom " << i;
  }
}

}  // namespace
}  // namespace tf::test
