// Work is never lost in the real window: the title shows unsaved changes,
// New, Open, Esc and the close box ask before they throw them away, and a
// desktop that writes decimal commas changes no number.

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <clocale>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/DocumentFiles.h"
#include "app/qt/AtomInfoPanelWidget.h"
#include "base/FixedText.h"
#include "qt/RunningApp.h"
#include "support/ShippedConfig.h"
#include "view/GraphicsDevice.h"
#include "view/ViewResources.h"

namespace tf::test {
namespace {

std::string FileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

int AtomRecords(const std::string& pdbPath) {
  std::istringstream lines(FileText(pdbPath));
  int count = 0;
  for (std::string line; std::getline(lines, line);) count += line.starts_with("ATOM");
  return count;
}

std::function<bool(QWidget*)> CancelFileDialog() {
  return [](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (dialog == nullptr) return false;
    dialog->reject();
    return true;
  };
}

class UnsavedChangesTest : public RunningApp {
 protected:
  std::string OpenSample(const std::string& name) {
    const std::string path = CopySample(name);
    OpenDocumentFile(*app_, FromUtf8(path));
    return path;
  }
  void Click(QPoint client) {
    Press(Qt::LeftButton, client);
    Release(Qt::LeftButton, client);
  }
  // Runs `action` with the save question answered by `button`; the question's text.
  QString AnswerSaveQuestion(QMessageBox::StandardButton button,
                             const std::function<void()>& action) {
    QString question;
    OnNextModal(Answer(button, &question));
    action();
    EXPECT_TRUE(AnswersDone());
    return question;
  }
  std::string Title() const { return Window().windowTitle().toStdString(); }
};

TEST_F(UnsavedChangesTest, TheTitleAndTheSaveQuestionFollowTheChanges) {
  const std::string path = OpenSample("benzene");
  EXPECT_EQ(Title(), "benzene.pdb - Tessaform");
  Click(AtomOnScreen(0));
  Key(Qt::Key_Delete);
  ASSERT_EQ(records_->document.atomCount, 11u);
  EXPECT_EQ(Title(), "*benzene.pdb - Tessaform");
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Title(), "benzene.pdb - Tessaform") << "undone back to the opened state";
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Title(), "*benzene.pdb - Tessaform");

  const std::vector<std::pair<const char*, std::function<void()>>> actions = {
      {"Esc", [this] { Key(Qt::Key_Escape); }},
      {"close box", [this] { Window().close(); }},
      {"New", [this] { Key(Qt::Key_N, Qt::ControlModifier); }},
      {"Open", [this] { Key(Qt::Key_O, Qt::ControlModifier); }},
  };
  for (const auto& [name, action] : actions) {
    EXPECT_EQ(AnswerSaveQuestion(QMessageBox::Cancel, action),
              "Message|Save changes to benzene.pdb?")
        << name;
    EXPECT_TRUE(Window().isVisible()) << name;
    EXPECT_EQ(records_->document.atomCount, 11u) << name;
  }

  AnswerSaveQuestion(QMessageBox::Discard, [this] { Key(Qt::Key_N, Qt::ControlModifier); });
  EXPECT_EQ(records_->document.atomCount, 0u);
  EXPECT_EQ(Title(), "Tessaform");
  Key(Qt::Key_N, Qt::ControlModifier);  // nothing changed: no question, and no step
  Key(Qt::Key_Z, Qt::ControlModifier);
  ASSERT_EQ(records_->document.atomCount, 11u);
  EXPECT_EQ(Title(), "*benzene.pdb - Tessaform");
  EXPECT_EQ(AtomRecords(path), 12);

  // Save writes the file the question names, without a dialog, and the program ends.
  AnswerSaveQuestion(QMessageBox::Save, [this] { Key(Qt::Key_Escape); });
  EXPECT_FALSE(Window().isVisible());
  EXPECT_EQ(AtomRecords(path), 11);
}

TEST_F(UnsavedChangesTest, AFailedOrCancelledSaveKeepsTheProgramRunning) {
  Press(Qt::LeftButton, {300, 300}, Qt::ControlModifier);
  Release(Qt::LeftButton, {300, 300}, Qt::ControlModifier);
  ASSERT_EQ(records_->document.atomCount, 1u);
  EXPECT_EQ(Title(), "*the new molecule - Tessaform");

  QString question, createQuestion, failure;
  OnNextModal(Answer(QMessageBox::Save, &question));
  OnNextModal(ChooseFile(workDirectory_ + "/no-such-folder/new"));
  OnNextModal(Answer(QMessageBox::Yes, &createQuestion));
  OnNextModal(Answer(QMessageBox::Ok, &failure));
  Key(Qt::Key_Escape);
  ASSERT_TRUE(AnswersDone());
  EXPECT_EQ(question, "Message|Save changes to the new molecule?");
  EXPECT_EQ(failure, "Message|Bad file.");
  EXPECT_TRUE(Window().isVisible());
  EXPECT_EQ(TextView(records_->document.filePath), u"") << "a failed save keeps the path";

  OnNextModal(Answer(QMessageBox::Save, &question));
  OnNextModal(CancelFileDialog());
  Window().MenuAction(kCmdExit)->trigger();
  ASSERT_TRUE(AnswersDone());
  EXPECT_TRUE(Window().isVisible());
  EXPECT_EQ(TextView(records_->document.filePath), u"") << "a cancelled dialog changes nothing";
  EXPECT_EQ(Title(), "*the new molecule - Tessaform");

  AnswerSaveQuestion(QMessageBox::Discard, [this] { Window().close(); });
  EXPECT_FALSE(Window().isVisible());
}

// A desktop in German: Qt takes the locale from the environment when the
// application object is made, which the test does by hand.
class DecimalCommaTest : public UnsavedChangesTest {
 protected:
  void SetUp() override {
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "the de_DE.UTF-8 locale is missing (scripts/setup.sh makes it)";
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    UnsavedChangesTest::SetUp();
  }
  void TearDown() override {
    UnsavedChangesTest::TearDown();
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
  }
  QString Field(const char* name) const {
    return desktop_->AtomInfoPanel()->findChild<QLineEdit*>(name)->text();
  }
};

TEST_F(DecimalCommaTest, ThePanelShowsPointsAndApplyChangesOnlyWhatWasEdited) {
  const std::string path = OpenSample("benzene");
  Click(AtomOnScreen(0));
  ASSERT_EQ(records_->document.selectedCount, 1);
  EXPECT_EQ(Field("x") + " " + Field("charge"), "1.400 -0.0529");
  auto* apply = desktop_->AtomInfoPanel()->findChild<QPushButton*>("apply");
  apply->click();
  EXPECT_EQ(Title(), "benzene.pdb - Tessaform") << "an Apply of nothing changes nothing";

  QString replace;
  OnNextModal(ChooseFile(path));
  OnNextModal(Answer(QMessageBox::Yes, &replace));
  Key(Qt::Key_S, Qt::ControlModifier);
  ASSERT_TRUE(AnswersDone());
  for (const char* extension : {".pdb", ".tftopology", ".tfatoms"}) {
    const std::string file = path.substr(0, path.size() - 4) + extension;
    EXPECT_EQ(FileText(file),
              FileText(SourcePath(std::string("share/samples/benzene") + extension)))
        << extension;
  }

  auto* charge = desktop_->AtomInfoPanel()->findChild<QLineEdit*>("charge");
  charge->setText("0.125");
  apply->click();
  const Atom& atom = records_->document.atoms[0];
  EXPECT_FLOAT_EQ(atom.charge, 0.125f);
  EXPECT_EQ(TextView(atom.name), u"C1");
  EXPECT_EQ(records_->document.bondCount, 12u);
  EXPECT_EQ(Field("charge"), "0.1250");
}

// Benzene's atoms 0, 1 and 2 are neighbours round the ring: clicked as 0, 2,
// 1 the angle is the one at atom 2 (30 degrees), not at atom 1 (120).
TEST_F(DecimalCommaTest, TheOverlayMeasuresTheClickedAtomsInTheirOrderWithPoints) {
  OpenSample("benzene");
  const auto countsEndWith = [this](std::u16string_view line) {
    return QTest::qWaitFor([&] {
      for (const TextItem* text : records_->resources.device->LatestFrame()->ItemsOf<TextItem>())
        if (text->format == (kDtLeft | kDtTop)) return text->text.ends_with(line);
      return false;
    });
  };
  Click(AtomOnScreen(0));
  Press(Qt::LeftButton, AtomOnScreen(2), Qt::ShiftModifier);
  Release(Qt::LeftButton, AtomOnScreen(2), Qt::ShiftModifier);
  EXPECT_TRUE(countsEndWith(u"bonds: 12\nDistance = 2.425 A"));
  Press(Qt::LeftButton, AtomOnScreen(1), Qt::ShiftModifier);
  Release(Qt::LeftButton, AtomOnScreen(1), Qt::ShiftModifier);
  EXPECT_TRUE(countsEndWith(u"bonds: 12\nAngle = 30.0 deg"));
}

}  // namespace
}  // namespace tf::test
