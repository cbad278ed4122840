#include "qt/RunningApp.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "support/ShippedConfig.h"
#include "view/Camera.h"

namespace tf::test {
namespace {

constexpr int kWaitMs = 10000;

}  // namespace

void RunningApp::SetUp() {
  static const std::string config = SourcePath("share/config.ini");
  session_ = std::make_unique<ProgramSession>(config.c_str());
  records_ = &session_->Records();
  desktop_ = &session_->Desktop();
  app_ = &session_->App();
  const StartupOutcome outcome = session_->Start();
  ASSERT_EQ(outcome.exitCode, 0) << outcome.error;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
  ASSERT_TRUE(QTest::qWaitFor([this] { return View().FramesShown() > 0; }, kWaitMs));
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  workDirectory_ = (std::filesystem::temp_directory_path() /
                    ("tessaform-qt-" + std::string(test->name()) + "-" +
                     std::to_string(QCoreApplication::applicationPid())))
                       .string();
  std::filesystem::remove_all(workDirectory_);
  std::filesystem::create_directories(workDirectory_);
}

void RunningApp::TearDown() {
  session_.reset();
  if (!workDirectory_.empty()) std::filesystem::remove_all(workDirectory_);
}

int32_t RunningApp::ToolbarHeight() const {
  return desktop_->ToolbarHeight();
}

namespace {

void SendMouse(ViewWidget& view, QEvent::Type type, Qt::MouseButton button,
               Qt::MouseButtons buttons, QPoint client, int32_t toolbarHeight,
               Qt::KeyboardModifiers modifiers) {
  const QPointF local(client.x(), client.y() - toolbarHeight);
  QMouseEvent event(type, local, view.mapToGlobal(local), button, buttons, modifiers);
  QApplication::sendEvent(&view, &event);
}

}  // namespace

void RunningApp::Press(Qt::MouseButton button, QPoint client, Qt::KeyboardModifiers modifiers) {
  SendMouse(View(), QEvent::MouseButtonPress, button, button, client, ToolbarHeight(), modifiers);
}

void RunningApp::MoveTo(QPoint client, Qt::MouseButtons held, Qt::KeyboardModifiers modifiers) {
  SendMouse(View(), QEvent::MouseMove, Qt::NoButton, held, client, ToolbarHeight(), modifiers);
}

void RunningApp::Release(Qt::MouseButton button, QPoint client, Qt::KeyboardModifiers modifiers) {
  SendMouse(View(), QEvent::MouseButtonRelease, button, Qt::NoButton, client, ToolbarHeight(),
            modifiers);
}

void RunningApp::Drag(Qt::MouseButton button, QPoint from, QPoint to,
                      Qt::KeyboardModifiers modifiers) {
  MoveTo(from, Qt::NoButton, modifiers);
  Press(button, from, modifiers);
  const QPoint delta = to - from;
  const int steps = std::max(1, std::max(std::abs(delta.x()), std::abs(delta.y())) / 5);
  for (int i = 1; i <= steps; ++i) MoveTo(from + delta * i / steps, button, modifiers);
  Release(button, to, modifiers);
}

void RunningApp::Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &View(), key,
                  modifiers);
}

void RunningApp::OnNextModal(std::function<bool(QWidget*)> answer) {
  ++pendingAnswers_;
  auto* timer = new QTimer(desktop_);
  QWidget* handled = nullptr;
  QElapsedTimer waited;
  waited.start();
  QObject::connect(timer, &QTimer::timeout, timer,
                   [this, timer, answer, handled, waited]() mutable {
                     QWidget* modal = QApplication::activeModalWidget();
                     if (waited.elapsed() > kWaitMs) {
                       // Never hang the run: close whatever waits and leave the answer pending.
                       if (modal != nullptr) modal->close();
                       ADD_FAILURE() << "no modal dialog took the expected answer";
                       timer->stop();
                       timer->deleteLater();
                       return;
                     }
                     if (modal == nullptr || modal == handled || !modal->isVisible()) return;
                     if (!answer(modal)) return;
                     handled = modal;
                     --pendingAnswers_;
                     // Stopped at once: the deletion may wait until after the
                     // next dialog has opened, which this answer is not for.
                     timer->stop();
                     timer->deleteLater();
                   });
  timer->start(20);
}

bool RunningApp::AnswersDone() {
  // The window has the keyboard again once the last dialog has gone.
  return QTest::qWaitFor([this] { return pendingAnswers_ == 0; }, kWaitMs) &&
         QTest::qWaitForWindowActive(&Window(), kWaitMs);
}

// Grabbing replays the latest presented frame into the view's framebuffer.
QImage RunningApp::ViewImage() {
  return View().grabFramebuffer();
}

QRgb RunningApp::ClientPixel(const QImage& image, QPoint client, int32_t toolbarHeight) {
  return image.pixel(client.x(), client.y() - toolbarHeight);
}

QPoint RunningApp::AtomOnScreen(uint32_t atom) const {
  const Atom& a = records_->document.atoms[atom];
  const Vector2 point = WorldToScreen(records_->view.camera, a.x, a.y);
  return {static_cast<int>(std::lround(point.x)), static_cast<int>(std::lround(point.y))};
}

std::string RunningApp::CopySample(const std::string& name) {
  for (const char* extension : {".pdb", ".tftopology", ".tfatoms"}) {
    std::filesystem::copy_file(SourcePath("share/samples/" + name + extension),
                               std::filesystem::path(workDirectory_) / (name + extension),
                               std::filesystem::copy_options::overwrite_existing);
  }
  return (std::filesystem::path(workDirectory_) / (name + ".pdb")).string();
}

int CountMoleculePixels(const QImage& image, const QRect& area) {
  int count = 0;
  const QRect inside = area.intersected(image.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      // The grid and the texts are red or green on dark grey; every atom colour
      // of the samples has blue and green in it.
      if (qGreen(pixel) > 60 && qBlue(pixel) > 60) ++count;
    }
  }
  return count;
}

std::function<bool(QWidget*)> ChooseFile(const std::string& path, QString* title) {
  return [path, title](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (dialog == nullptr) return false;
    if (title != nullptr) *title = dialog->windowTitle();
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    if (name == nullptr) return false;
    // Typed as a person types it, into the focused field: the dialog's
    // background loading of its folder rewrites the field only while the
    // field does not have the focus.
    if (!name->hasFocus()) return false;
    name->selectAll();
    QTest::keyClicks(name, QString::fromStdString(path));
    if (name->text() != QString::fromStdString(path)) return false;
    QTest::keyClick(name, Qt::Key_Return);
    return true;
  };
}

std::function<bool(QWidget*)> Answer(QMessageBox::StandardButton button, QString* text) {
  return [button, text](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr || box->button(button) == nullptr) return false;
    *text = box->windowTitle() + "|" + box->text();
    box->button(button)->click();
    return true;
  };
}

}  // namespace tf::test
