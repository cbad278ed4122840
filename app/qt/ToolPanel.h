#pragma once
// A tool window over the main window: its close box hides it (it lives until
// the program ends) and it reports being shown or hidden by the program.

#include <QWidget>
#include <functional>

namespace tf {

class ToolPanel : public QWidget {
  Q_OBJECT

 public:
  ToolPanel(std::function<void(bool visible)> visibilityChanged, QWidget* owner);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  std::function<void(bool)> visibilityChanged_;
};

}  // namespace tf
