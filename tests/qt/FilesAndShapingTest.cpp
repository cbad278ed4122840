// Opening and saving through the real dialogs, and live shaping.

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "app/qt/ShapingPanelWidget.h"
#include "qt/RunningApp.h"
#include "support/ShippedConfig.h"
#include "view/GraphicsDevice.h"
#include "view/ViewResources.h"

namespace tf::test {
namespace {

using FilesAndShapingTest = RunningApp;

// Sets the picture's size in the Export Image dialog, then chooses `path` there.
std::function<bool(QWidget*)> ExportAs(const std::string& path, int width, int height) {
  return [path, width, height](QWidget* modal) {
    if (modal->objectName() != "exportImageDialog") return false;
    auto* widthBox = modal->findChild<QSpinBox*>("imageWidth");
    auto* heightBox = modal->findChild<QSpinBox*>("imageHeight");
    if (widthBox == nullptr || heightBox == nullptr) return false;
    if (width > 0) widthBox->setValue(width);
    if (height > 0) heightBox->setValue(height);
    return ChooseFile(path)(modal);
  };
}

std::optional<QRect> EnergyBlock(const Frame& frame, int32_t toolbarHeight) {
  for (const TextItem* text : frame.ItemsOf<TextItem>())
    if (text->text.starts_with(u"Energy = "))
      return QRect(text->rect.left, text->rect.bottom - toolbarHeight - 90, 300,
                   90);  // bottom-aligned
  return std::nullopt;
}

int RedTextPixels(const QImage& image, const QRect& area) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) {
      const QRgb p = image.pixel(x, y);
      if (qRed(p) > 100 && qGreen(p) < 60 && qBlue(p) < 60) ++count;
    }
  return count;
}

TEST_F(FilesAndShapingTest, OpensAndSavesThroughTheDialogs) {
  const std::string path = CopySample("alanine-dipeptide");
  QString title;
  OnNextModal(ChooseFile(path, &title));
  Key(Qt::Key_O, Qt::ControlModifier);
  ASSERT_TRUE(AnswersDone());
  EXPECT_EQ(title, "Open File");
  EXPECT_EQ(records_->document.atomCount, 22u);
  EXPECT_EQ(records_->document.bondCount, 21u);
  const QImage image = ViewImage();
  EXPECT_GT(CountMoleculePixels(image, image.rect()), 2000) << "the molecule is not in view";

  // A new name: the program asks before it accepts a file that does not exist.
  const std::string copy = workDirectory_ + "/copy";
  QString question;
  OnNextModal(ChooseFile(copy));
  OnNextModal(Answer(QMessageBox::Yes, &question));
  Window().MenuAction(kCmdSave)->trigger();
  ASSERT_TRUE(AnswersDone());
  EXPECT_TRUE(question.startsWith("Save File|")) << question.toStdString();
  for (const char* extension : {".pdb", ".tftopology", ".tfatoms"})
    EXPECT_TRUE(std::filesystem::exists(copy + extension)) << extension;
  EXPECT_EQ(QString::fromStdU16String(records_->document.filePath).toStdString(), copy + ".pdb");
}

TEST_F(FilesAndShapingTest, TheFirstFileArgumentOpensAndAnUnreadableOneKeepsTheDocument) {
  const std::string path = CopySample("ethanol");
  const QString startDirectory = QDir::currentPath();
  QDir::setCurrent(QString::fromStdString(workDirectory_));
  session_->OpenFileArgument({"--verbose", "ethanol.pdb", "missing.pdb"});
  QDir::setCurrent(startDirectory);  // the argument was made absolute at once
  ASSERT_TRUE(QTest::qWaitFor([&] { return records_->document.atomCount == 9; }));
  EXPECT_EQ(QString::fromStdU16String(records_->document.filePath).toStdString(), path);
  EXPECT_GT(CountMoleculePixels(ViewImage(), View().rect()), 500) << "not fitted into view";

  QString message;
  const float zoom = records_->view.camera.zoom;
  const std::size_t steps = app_->edits.history.UndoSteps();
  OnNextModal(Answer(QMessageBox::Ok, &message));
  session_->OpenFileArgument({workDirectory_.c_str() + QString("/missing.pdb")});
  ASSERT_TRUE(AnswersDone());
  EXPECT_EQ(message, "Message|Bad file.");
  EXPECT_EQ(records_->document.atomCount, 9u);
  EXPECT_EQ(QString::fromStdU16String(records_->document.filePath).toStdString(), path);
  EXPECT_EQ(records_->view.camera.zoom, zoom);
  EXPECT_EQ(app_->edits.history.UndoSteps(), steps);
  EXPECT_EQ(Window().windowTitle(), "ethanol.pdb - Tessaform");
}

// Drag-and-drop events as the desktop sends them onto the view.
bool Drop(QWidget& target, const QList<QUrl>& urls) {
  QMimeData data;
  data.setUrls(urls);
  const QPointF at(50, 50);
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&target, &drop);
  return drop.isAccepted();
}

TEST_F(FilesAndShapingTest, ADroppedPdbFileOpensAndOtherDropsAreRefused) {
  const std::string path = CopySample("benzene");
  const QUrl pdb = QUrl::fromLocalFile(QString::fromStdString(path));
  const QUrl topology =
      QUrl::fromLocalFile(QString::fromStdString(workDirectory_) + "/benzene.tftopology");
  EXPECT_FALSE(Drop(Window(), {topology}));
  EXPECT_FALSE(Drop(Window(), {QUrl("https://example.org/benzene.pdb")}));
  EXPECT_FALSE(Drop(Window(), {pdb, pdb}));
  ASSERT_TRUE(Drop(Window(), {pdb}));
  ASSERT_TRUE(QTest::qWaitFor([&] { return records_->document.atomCount == 12; }));
  EXPECT_EQ(QString::fromStdU16String(records_->document.filePath).toStdString(), path);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(records_->document.atomCount, 0u) << "the open is one step of the history";
}

TEST_F(FilesAndShapingTest, OtherFormatsOpenFromTheCommandLineAndByADrop) {
  const std::string sdf = workDirectory_ + "/set.SDF";
  std::filesystem::copy_file(SourcePath("tests/data/perception/all.sdf"), sdf);
  QString message;
  OnNextModal(Answer(QMessageBox::Ok, &message));
  session_->OpenFileArgument({QString::fromStdString(sdf)});
  ASSERT_TRUE(AnswersDone());
  EXPECT_EQ(message, "Message|set.SDF holds 40 molecules; the first was opened.");
  EXPECT_EQ(records_->document.atomCount, 21u);
  EXPECT_EQ(Window().windowTitle(), "set.SDF - Tessaform");

  const std::string heavy = workDirectory_ + "/paracetamol.pdb";
  std::filesystem::copy_file(SourcePath("tests/data/perception/pdb-heavy/paracetamol.pdb"), heavy);
  ASSERT_TRUE(Drop(Window(), {QUrl::fromLocalFile(QString::fromStdString(heavy))}));
  ASSERT_TRUE(QTest::qWaitFor([&] { return records_->document.atomCount == 11; }));
  OnNextModal(Answer(QMessageBox::Ok, &message));
  Window().MenuAction(kCmdAddHydrogens)->trigger();
  ASSERT_TRUE(AnswersDone());
  EXPECT_EQ(message, "Message|9 hydrogens were added.");
  EXPECT_EQ(records_->document.atomCount, 20u);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(records_->document.atomCount, 11u) << "Add Hydrogens is one step";
}

TEST_F(FilesAndShapingTest, ExportedPicturesShowTheViewAtTheWindowsSizeOrLarger) {
  OnNextModal(ChooseFile(CopySample("alanine-dipeptide")));
  Key(Qt::Key_O, Qt::ControlModifier);
  ASSERT_TRUE(AnswersDone());
  const std::string picture = workDirectory_ + "/view.png";
  OnNextModal(ExportAs(workDirectory_ + "/view", 0, 0));
  Window().MenuAction(kCmdExportImage)->trigger();
  ASSERT_TRUE(AnswersDone());
  const QImage view = ViewImage().convertToFormat(QImage::Format_RGB32);
  const QImage exported =
      QImage(QString::fromStdString(picture)).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(exported.size(), view.size());
  int different = 0;
  for (int y = 0; y < view.height(); ++y)
    for (int x = 0; x < view.width(); ++x) {
      const QRgb a = view.pixel(x, y), b = exported.pixel(x, y);
      if (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
              std::abs(qBlue(a) - qBlue(b)) >
          6)
        ++different;
    }
  EXPECT_LT(different, view.width() * view.height() / 1000) << "not the window's picture";

  QString question;
  OnNextModal(ExportAs(picture, view.width() * 2, view.height() * 2));
  OnNextModal(Answer(QMessageBox::Yes, &question));
  Window().MenuAction(kCmdExportImage)->trigger();
  ASSERT_TRUE(AnswersDone());
  EXPECT_EQ(question, "Export Image|view.png already exists.\nDo you want to replace it?");
  const QImage large(QString::fromStdString(picture));
  ASSERT_EQ(large.size(), view.size() * 2);
  const int small = CountMoleculePixels(view, view.rect());
  EXPECT_GT(CountMoleculePixels(large, large.rect()), 3 * small) << "the same view, finer";
  EXPECT_EQ(ViewImage().size(), view.size());
}

TEST_F(FilesAndShapingTest, PFindsTheBondsOfAPlainPdbFileAndReportsThem) {
  const std::string path = workDirectory_ + "/estradiol.pdb";
  std::filesystem::copy_file(SourcePath("tests/data/pdb/estradiol.pdb"), path);
  std::ofstream(workDirectory_ + "/estradiol.tftopology");  // an empty bond list
  session_->OpenFileArgument({QString::fromStdString(path)});
  ASSERT_TRUE(QTest::qWaitFor([&] { return records_->document.atomCount == 20; }));
  ASSERT_EQ(records_->document.bondCount, 0u);
  QString message;
  OnNextModal(Answer(QMessageBox::Ok, &message));
  Key(Qt::Key_P);
  ASSERT_TRUE(AnswersDone());
  EXPECT_EQ(message, "Message|23 bonds were added.\nNo candidate pair was refused.");
  EXPECT_EQ(records_->document.bondCount, 23u);
  Window().MenuAction(kCmdUndo)->trigger();
  EXPECT_EQ(records_->document.bondCount, 0u);
}

TEST_F(FilesAndShapingTest, F5ShowsTheEnergyWhileShapingAndF6EndsIt) {
  OnNextModal(ChooseFile(CopySample("ethanol")));
  Key(Qt::Key_O, Qt::ControlModifier);
  ASSERT_TRUE(AnswersDone());
  GraphicsDevice& device = *records_->resources.device;
  ASSERT_FALSE(EnergyBlock(*device.LatestFrame(), ToolbarHeight()));

  Key(Qt::Key_F5);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return EnergyBlock(*device.LatestFrame(), ToolbarHeight()).has_value(); }));
  const QRect block = *EnergyBlock(*device.LatestFrame(), ToolbarHeight());
  const int whileShaping = RedTextPixels(ViewImage(), block);

  Key(Qt::Key_F6);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return !EnergyBlock(*device.LatestFrame(), ToolbarHeight()).has_value(); }));
  EXPECT_GT(whileShaping, 300);
  EXPECT_LT(RedTextPixels(ViewImage(), block), 20);
}

TEST_F(FilesAndShapingTest, TheShapingPanelsBoxesCountOnlyAfterApply) {
  Window().MenuAction(kCmdViewShaping)->trigger();
  ShapingPanelWidget& panel = *desktop_->ShapingPanel();
  ASSERT_TRUE(panel.isVisible());
  panel.findChild<QCheckBox*>("term1018")->click();  // Coulomb
  panel.findChild<QCheckBox*>("term1017")->click();  // Van der Waals
  EXPECT_EQ(records_->shaping.requestedShapingTerms, 0x3Fu);
  panel.findChild<QPushButton*>("apply")->click();
  EXPECT_EQ(records_->shaping.requestedShapingTerms, 0x0Fu);
}

}  // namespace
}  // namespace tf::test
