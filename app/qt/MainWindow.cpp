#include "app/qt/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QResizeEvent>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/qt/CommandSurface.h"
#include "app/qt/Pictures.h"
#include "io/MoleculeFormat.h"

namespace tf {
namespace {

// The client area reports its size, toolbar strip included.
class ClientAreaWidget : public QWidget {
 public:
  ClientAreaWidget(std::function<void(QSize)> resized, QWidget* parent)
      : QWidget(parent), resized_(std::move(resized)) {}

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    resized_(event->size());
  }

 private:
  std::function<void(QSize)> resized_;
};

// The one local molecule file (any format the program reads) a drop
// carries; empty for anything else.
QString DroppedMoleculeFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().first();
  if (!url.isLocalFile()) return {};
  const QString path = url.toLocalFile();
  return FormatOfPath(path.toStdU16String()) ? path : QString();
}

}  // namespace

MainWindow::MainWindow(Events events) : events_(std::move(events)) {
  setObjectName("mainWindow");
  setWindowTitle("Tessaform");
  setWindowIcon(ProgramIcon());
  setAcceptDrops(true);
  const CommandSink send = [this](int32_t command) { Send(CommandMessage(command)); };
  actions_ = BuildMenus(*menuBar(), send);

  clientArea_ = new ClientAreaWidget(
      [this](QSize size) { Send(SizeMessage(size.width(), size.height())); }, this);
  clientArea_->setObjectName("clientArea");
  auto* layout = new QVBoxLayout(clientArea_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  toolbar_ = BuildToolbar(clientArea_, send, buttons_);
  layout->addWidget(toolbar_);
  view_ = new ViewWidget(events_.dispatch, clientArea_);
  view_->setObjectName("view");
  layout->addWidget(view_, 1);
  setCentralWidget(clientArea_);
  // Qt counts tool windows as part of their owner for window shortcuts, so
  // they reach the window from the Shaping panel as well.
  AddAccelerators(*this, send, [this] {
    const QWidget* focus = QApplication::focusWidget();
    return keyboardPanel_ != nullptr && focus != nullptr &&
           (focus == keyboardPanel_ || keyboardPanel_->isAncestorOf(focus));
  });

  // Position and size are the frame's, as the desktop places windows.
  resize(700, 600);
  move(100, 100);
  // Measure the toolbar before the window is shown: it fixes the view's top.
  this->layout()->activate();
  layout->activate();
}

QAction* MainWindow::MenuAction(int32_t command) const {
  const auto found = actions_.find(command);
  return found == actions_.end() ? nullptr : found->second;
}

QToolButton* MainWindow::ToolbarButton(int32_t command) const {
  const auto found = buttons_.find(command);
  return found == buttons_.end() ? nullptr : found->second;
}

void MainWindow::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  Send({.message = WM_MOVE});
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    Send({.message = WM_ACTIVATE});
  } else if (event->type() == QEvent::WindowStateChange) {
    events_.minimizedChanged(isMinimized());
    if (!isMinimized()) Send({.message = WM_PAINT});
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  event->ignore();  // the application closes the window and ends the program
  events_.closeRequested();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedMoleculeFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
  if (!DroppedMoleculeFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QString path = DroppedMoleculeFile(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  events_.fileDropped(path);
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  Send({.message = WM_PAINT});
}

}  // namespace tf
