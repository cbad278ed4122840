#pragma once
// The main window "Tessaform": menu bar, then the client area, which holds
// the toolbar strip and the 3-D view below it. Window events become
// main-window messages; menu items, buttons and accelerators become commands.

#include <QMainWindow>
#include <functional>
#include <map>

#include "app/WindowMessages.h"
#include "app/qt/ViewWidget.h"

class QAction;
class QToolBar;
class QToolButton;

namespace tf {

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  struct Events {
    ViewWidget::Dispatch dispatch;         // messages with the modifiers held
    std::function<void()> closeRequested;  // the close box or the desktop's close
    std::function<void(bool)> minimizedChanged;
    std::function<void(const QString&)> fileDropped;  // a local .pdb file
  };
  explicit MainWindow(Events events);

  ViewWidget* View() const { return view_; }
  QToolBar* Toolbar() const { return toolbar_; }
  QWidget* ClientArea() const { return clientArea_; }
  QAction* MenuAction(int32_t command) const;
  QToolButton* ToolbarButton(int32_t command) const;
  // While the keyboard focus is inside `panel`, the accelerators do not act.
  void SetKeyboardPanel(const QWidget* panel) { keyboardPanel_ = panel; }

 protected:
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void Send(const WindowMessage& message) { events_.dispatch(message, Qt::NoModifier); }

  Events events_;
  QWidget* clientArea_ = nullptr;
  QToolBar* toolbar_ = nullptr;
  ViewWidget* view_ = nullptr;
  const QWidget* keyboardPanel_ = nullptr;
  std::map<int32_t, QAction*> actions_;
  std::map<int32_t, QToolButton*> buttons_;
};

}  // namespace tf
