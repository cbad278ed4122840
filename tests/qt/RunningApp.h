#pragma once
// The program started in this process as its main function starts it, with
// the shipped parameter file, plus the ways a person works it: clicks and
// drags in the view (client pixels), keys, answers to the modal dialogs, and
// what the view shows.

#include <gtest/gtest.h>

#include <QImage>
#include <QMessageBox>
#include <functional>
#include <memory>

#include "app/qt/MainWindow.h"
#include "app/qt/ProgramSession.h"

namespace tf::test {

class RunningApp : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  MainWindow& Window() const { return session_->Window(); }
  ViewWidget& View() const { return *Window().View(); }
  int32_t ToolbarHeight() const;

  // Mouse messages at client pixels, as the view receives them.
  void Press(Qt::MouseButton button, QPoint client, Qt::KeyboardModifiers modifiers = {});
  void MoveTo(QPoint client, Qt::MouseButtons held, Qt::KeyboardModifiers modifiers = {});
  void Release(Qt::MouseButton button, QPoint client, Qt::KeyboardModifiers modifiers = {});
  // Press, moves in steps of at most 5 pixels, release.
  void Drag(Qt::MouseButton button, QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {});
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {});

  // Runs `answer` on the next modal widget of type T once it is open
  // (a dialog opened by the action the test performs next).
  void OnNextModal(std::function<bool(QWidget*)> answer);
  // Waits until every answer given with OnNextModal has run and the main
  // window is active again.
  bool AnswersDone();

  // The view showing the latest presented frame.
  QImage ViewImage();
  // The colour of the client pixel in `image`.
  static QRgb ClientPixel(const QImage& image, QPoint client, int32_t toolbarHeight);
  // Client pixel of an atom's centre.
  QPoint AtomOnScreen(uint32_t atom) const;
  // The file path of a copy of the sample NAME (.pdb and its companions) in a fresh folder.
  std::string CopySample(const std::string& name);

  std::unique_ptr<ProgramSession> session_;
  ApplicationRecords* records_ = nullptr;
  QtDesktop* desktop_ = nullptr;
  Application* app_ = nullptr;
  std::string workDirectory_;

 private:
  int pendingAnswers_ = 0;
};

// Pixels that are not the view's background grey, the grid's lines nor black.
int CountMoleculePixels(const QImage& image, const QRect& area);

// Answers for OnNextModal. ChooseFile types `path` into the open or save
// dialog and confirms it (its title goes to `title`); Answer presses
// `button` of a message box and leaves "caption|text" in `text`.
std::function<bool(QWidget*)> ChooseFile(const std::string& path, QString* title = nullptr);
std::function<bool(QWidget*)> Answer(QMessageBox::StandardButton button, QString* text);

}  // namespace tf::test
