// The window as it starts, its command surface and how it ends.

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "app/WindowMessages.h"
#include "app/qt/AtomInfoPanelWidget.h"
#include "app/qt/ShapingPanelWidget.h"
#include "model/AtomEditing.h"
#include "qt/RunningApp.h"

namespace tf::test {
namespace {

using MainWindowTest = RunningApp;

// Takes the file addresses the program asks the desktop to open.
class OpenedFiles : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> urls;

 public slots:
  void Open(const QUrl& url) { urls << url; }
};

std::vector<int32_t> CheckedToolButtons(const MainWindow& window) {
  std::vector<int32_t> checked;
  for (int32_t command : {kCmdSelectTool, kCmdRectangularTool, kCmdFreeformTool})
    if (window.ToolbarButton(command)->isChecked()) checked.push_back(command);
  return checked;
}

TEST_F(MainWindowTest, StartsWithItsPanelsPlacedAndTheDefaultMarks) {
  EXPECT_EQ(Window().windowTitle(), "Tessaform");
  EXPECT_EQ(Window().geometry().size(), QSize(700, 600));
  EXPECT_EQ(CheckedToolButtons(Window()), std::vector<int32_t>{kCmdSelectTool});
  EXPECT_TRUE(Window().MenuAction(kCmdBallStick)->isChecked());
  EXPECT_FALSE(Window().MenuAction(kCmdSticks)->isChecked());

  QWidget* info = desktop_->AtomInfoPanel();
  QWidget* shaping = desktop_->ShapingPanel();
  EXPECT_TRUE(info->isVisible());
  EXPECT_FALSE(shaping->isVisible());
  EXPECT_TRUE(Window().MenuAction(kCmdViewAtomInfo)->isChecked());
  EXPECT_FALSE(Window().MenuAction(kCmdViewShaping)->isChecked());
  const QWidget* client = Window().ClientArea();
  const QPoint clientTopLeft = client->mapToGlobal(QPoint(0, 0));
  EXPECT_EQ(info->frameGeometry().right() + 1, clientTopLeft.x() + client->width() - 10);
  EXPECT_EQ(info->frameGeometry().top(), clientTopLeft.y() + ToolbarHeight() + 10);

  // The view shows the presented part of the frame: the black grid over the
  // dark grey background, starting right below the toolbar.
  const QImage image = ViewImage();
  EXPECT_EQ(image.size(), QSize(client->width(), client->height() - ToolbarHeight()));
  int background = 0, grid = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y) & 0xFFFFFF;
      background += pixel == 0x202020;
      grid += pixel == 0;
    }
  const int all = image.width() * image.height();
  EXPECT_GT(background, all / 2);
  EXPECT_GT(grid, all / 40);
}

TEST_F(MainWindowTest, ToolButtonsAndModelItemsMoveTheirMarks) {
  Window().ToolbarButton(kCmdRectangularTool)->click();
  EXPECT_EQ(CheckedToolButtons(Window()), std::vector<int32_t>{kCmdRectangularTool});
  Window().ToolbarButton(kCmdRectangularTool)->click();  // again: stays checked
  EXPECT_EQ(CheckedToolButtons(Window()), std::vector<int32_t>{kCmdRectangularTool});
  EXPECT_EQ(records_->view.selectionTool, 1);
  Key(Qt::Key_F3);
  EXPECT_EQ(CheckedToolButtons(Window()), std::vector<int32_t>{kCmdFreeformTool});
  Key(Qt::Key_F1);
  EXPECT_EQ(CheckedToolButtons(Window()), std::vector<int32_t>{kCmdSelectTool});

  Window().MenuAction(kCmdWireframe)->trigger();
  EXPECT_EQ(records_->view.modelStyle, 0);
  EXPECT_TRUE(Window().MenuAction(kCmdWireframe)->isChecked());
  EXPECT_FALSE(Window().MenuAction(kCmdBallStick)->isChecked());

  QAction* viewShaping = Window().MenuAction(kCmdViewShaping);
  viewShaping->trigger();
  EXPECT_TRUE(desktop_->ShapingPanel()->isVisible());
  EXPECT_TRUE(viewShaping->isChecked());
  desktop_->ShapingPanel()->close();  // the close box hides it
  EXPECT_FALSE(desktop_->ShapingPanel()->isVisible());
  EXPECT_FALSE(viewShaping->isChecked());
}

TEST_F(MainWindowTest, UndoAndRedoFollowTheHistoryFromTheirKeys) {
  QAction* undo = Window().MenuAction(kCmdUndo);
  QAction* redo = Window().MenuAction(kCmdRedo);
  EXPECT_FALSE(undo->isEnabled() || redo->isEnabled());
  AddAtom(records_->document, records_->tables, 0, 0, 0, 4);
  SelectAtom(records_->document, 0);
  Key(Qt::Key_Delete);
  ASSERT_EQ(records_->document.atomCount, 0u);
  EXPECT_TRUE(undo->isEnabled() && !redo->isEnabled());
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(records_->document.atomCount, 1u);
  EXPECT_TRUE(!undo->isEnabled() && redo->isEnabled());
  Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(records_->document.atomCount, 0u);
  undo->trigger();
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(records_->document.atomCount, 0u);
}

TEST_F(MainWindowTest, EscEndsTheProgramAtOnce) {
  Key(Qt::Key_Escape);
  EXPECT_FALSE(Window().isVisible());
  EXPECT_FALSE(desktop_->AtomInfoPanel()->isVisible());
  EXPECT_FALSE(app_->state.panelsAlive);
}

TEST_F(MainWindowTest, TheAboutBoxShowsTheVersionAndOpensTheManual) {
  OpenedFiles opened;
  QDesktopServices::setUrlHandler("file", &opened, "Open");
  QStringList texts;
  OnNextModal([&texts](QWidget* modal) {
    if (modal->objectName() != "aboutBox") return false;
    for (const QLabel* label : modal->findChildren<QLabel*>()) texts << label->text();
    emit modal->findChild<QLabel*>("link")->linkActivated("manual");
    modal->close();
    return true;
  });
  Window().MenuAction(kCmdAbout)->trigger();
  ASSERT_TRUE(AnswersDone());
  QDesktopServices::unsetUrlHandler("file");
  EXPECT_TRUE(texts.contains("Tessaform 1.3")) << texts.join('|').toStdString();
  EXPECT_FALSE(texts.join('|').contains("http")) << "no web address";
  ASSERT_EQ(opened.urls.size(), 1);
  EXPECT_EQ(opened.urls[0],
            QUrl::fromLocalFile(QString::fromStdU16String(app_->state.startDirectory) +
                                "/Tessaform.html"));
}

TEST_F(MainWindowTest, KeysInThePanelsFieldsDoNotReachTheWindow) {
  desktop_->AtomInfoPanel()->activateWindow();
  auto* name = desktop_->AtomInfoPanel()->findChild<QWidget*>("name");
  name->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == name; }));
  const float zoomBefore = records_->view.camera.zoom;
  QTest::keyClick(name, Qt::Key_Minus);
  QTest::keyClick(name, Qt::Key_F2);
  EXPECT_EQ(records_->view.camera.zoom, zoomBefore);
  EXPECT_EQ(records_->view.selectionTool, 0);
  QTest::keyClick(name, Qt::Key_Escape);
  EXPECT_TRUE(Window().isVisible());
}

}  // namespace
}  // namespace tf::test

#include "MainWindowTest.moc"
