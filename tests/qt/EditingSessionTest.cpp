// Working on a molecule in the real window: adding, dragging and deleting
// atoms with the mouse, area selections, and the Atom Information panel.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <mutex>

#include "app/qt/AtomInfoPanelWidget.h"
#include "base/FixedText.h"
#include "io/MoleculeFileCommands.h"
#include "model/CenterMolecule.h"
#include "qt/RunningApp.h"
#include "view/CameraOperations.h"
#include "view/Graphics.h"

namespace tf::test {
namespace {

class EditingSessionTest : public RunningApp {
 protected:
  // Opens a sample as File > Open does after its dialog.
  void OpenSample(const std::string& name) {
    const std::string path = CopySample(name);
    OpenMoleculeFile(records_->document, records_->tables, FromUtf8(path));
    ResetView(records_->view, records_->resources);
    CenterMolecule(records_->document);
    FitZoom(records_->view, records_->resources, records_->document, records_->tables);
    Redraw(records_->resources, SceneOf(*records_));
  }
  QRect AroundClient(QPoint client, int radius) const {
    return {client.x() - radius, client.y() - ToolbarHeight() - radius, 2 * radius + 1,
            2 * radius + 1};
  }
  static int Orange(const QImage& image, const QRect& area) {
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
      for (int x = inside.left(); x <= inside.right(); ++x) {
        const QRgb p = image.pixel(x, y);  // iron, chemical type 0, is orange
        if (qRed(p) > 90 && qGreen(p) > qRed(p) / 4 && qGreen(p) < qRed(p) * 3 / 4 &&
            qBlue(p) < qGreen(p))
          ++count;
      }
    return count;
  }
};

TEST_F(EditingSessionTest, ClickAddsDragMovesAndCtrlRightClickDeletesAnAtom) {
  const QPoint place(300, 300), moved(360, 330);
  Press(Qt::LeftButton, place, Qt::ControlModifier);
  ASSERT_EQ(records_->document.atomCount, 1u);
  EXPECT_EQ(records_->document.selectedCount, 1);
  EXPECT_GT(Orange(ViewImage(), AroundClient(place, 4)), 40);

  for (int step = 1; step <= 12; ++step)
    MoveTo(place + (moved - place) * step / 12, Qt::LeftButton, Qt::ControlModifier);
  Release(Qt::LeftButton, moved);
  EXPECT_LE((AtomOnScreen(0) - moved).manhattanLength(), 1);
  QImage image = ViewImage();
  EXPECT_GT(Orange(image, AroundClient(moved, 4)), 40);
  EXPECT_EQ(Orange(image, AroundClient(place, 4)), 0);

  // A drag that leaves the window past its left edge moves the atom there,
  // not thousands of pixels away.
  Press(Qt::LeftButton, moved);
  MoveTo({-20, 330}, Qt::LeftButton);
  Release(Qt::LeftButton, {-20, 330});
  EXPECT_LE((AtomOnScreen(0) - QPoint(-20, 330)).manhattanLength(), 1);
  Drag(Qt::LeftButton, {-20, 330}, moved);  // back (the atom is still selected)

  Press(Qt::RightButton, {moved.x() + 10, moved.y() + 10});
  Release(Qt::RightButton, moved, Qt::ControlModifier);
  EXPECT_EQ(records_->document.atomCount, 0u);
  EXPECT_EQ(Orange(ViewImage(), AroundClient(moved, 6)), 0);
}

TEST_F(EditingSessionTest, ALoneAtomIsDrawnPickedAndDeletedInWireframe) {
  Window().MenuAction(kCmdWireframe)->trigger();
  const QPoint place(300, 300);
  Press(Qt::LeftButton, place, Qt::ControlModifier);
  Release(Qt::LeftButton, place, Qt::ControlModifier);
  ASSERT_EQ(records_->document.atomCount, 1u);
  EXPECT_EQ(records_->document.selectedCount, 1) << "the new atom is picked and selected";
  // A cross 0.4 A long: 16 pixels at the default zoom, in both directions.
  EXPECT_GE(Orange(ViewImage(), AroundClient(place, 9)), 28);

  Press(Qt::RightButton, place);
  Release(Qt::RightButton, place, Qt::ControlModifier);
  EXPECT_EQ(records_->document.atomCount, 0u);
  EXPECT_EQ(Orange(ViewImage(), AroundClient(place, 9)), 0);
}

TEST_F(EditingSessionTest, RectangleAndFreeformOutlinesSelect) {
  OpenSample("benzene");
  const QImage unselected = ViewImage();
  Key(Qt::Key_F2);
  Drag(Qt::LeftButton, {5, ToolbarHeight() + 5}, {Window().ClientArea()->width() / 2, 595});
  const int left = records_->document.selectedCount;
  EXPECT_GT(left, 0);
  EXPECT_LT(left, static_cast<int>(records_->document.atomCount));
  const QImage selected = ViewImage();
  EXPECT_NE(selected, unselected);

  // A loop around everything, drawn with the Freeform tool, with Shift at the
  // release: the selection grows to every atom.
  Key(Qt::Key_F3);
  const QWidget* client = Window().ClientArea();
  const int top = ToolbarHeight() + 3, right = client->width() - 3, bottom = client->height() - 3;
  // It ends well away from its start: a release within 10 pixels of the press is a click.
  const QPoint corners[] = {{3, top}, {right, top}, {right, bottom}, {3, bottom}, {3, top + 40}};
  MoveTo(corners[0], Qt::NoButton);
  Press(Qt::LeftButton, corners[0]);
  for (int c = 1; c < 5; ++c)
    for (int step = 1; step <= 20; ++step)
      MoveTo(corners[c - 1] + (corners[c] - corners[c - 1]) * step / 20, Qt::LeftButton);
  Release(Qt::LeftButton, corners[4], Qt::ShiftModifier);
  EXPECT_EQ(records_->document.selectedCount, static_cast<int>(records_->document.atomCount));
}

TEST_F(EditingSessionTest, ThePanelShowsAndAppliesTheClickedAtom) {
  OpenSample("water");
  const QPoint oxygen = AtomOnScreen(0);
  Press(Qt::LeftButton, oxygen);
  Release(Qt::LeftButton, oxygen);
  ASSERT_EQ(records_->document.selectedCount, 1);
  AtomInfoPanelWidget& panel = *desktop_->AtomInfoPanel();
  auto* charge = panel.findChild<QLineEdit*>("charge");
  auto* x = panel.findChild<QLineEdit*>("x");
  EXPECT_EQ(panel.findChild<QLineEdit*>("name")->text(),
            QString::fromUtf16(records_->document.atoms[0].name));
  EXPECT_NEAR(x->text().toDouble(), records_->document.atoms[0].x + records_->document.fileOrigin.x,
              0.0006);

  panel.activateWindow();
  charge->setFocus();
  charge->setText("-0.25");
  QTest::keyClick(charge, Qt::Key_Return);  // Enter in a field presses Apply
  EXPECT_FLOAT_EQ(records_->document.atoms[0].charge, -0.25f);
  EXPECT_EQ(charge->text(), "-0.2500");
  EXPECT_TRUE(QTest::qWaitFor([&] { return View().hasFocus(); }));

  // Two atoms: the bond button toggles their bond and relabels itself.
  const QPoint hydrogen = AtomOnScreen(1);
  Press(Qt::LeftButton, hydrogen, Qt::ShiftModifier);
  Release(Qt::LeftButton, hydrogen, Qt::ShiftModifier);
  ASSERT_EQ(records_->document.selectedCount, 2);
  auto* bond = panel.findChild<QPushButton*>("bond");
  EXPECT_TRUE(bond->isEnabled());
  EXPECT_EQ(bond->text(), "Delete Bond");
  const uint32_t bonds = records_->document.bondCount;
  bond->click();
  EXPECT_EQ(records_->document.bondCount, bonds - 1);
  EXPECT_EQ(bond->text(), "Add Bond");
  EXPECT_FALSE(x->isEnabled());
}

}  // namespace
}  // namespace tf::test
