#pragma once
// The Atom Information panel: a tool window over the view whose fields show
// the selected atoms and whose "Apply" writes them back. It only moves texts
// between its widgets and the panel logic of the application.

#include <functional>
#include <string>
#include <vector>

#include "app/AtomInfoPanel.h"
#include "app/qt/ToolPanel.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tf {

class AtomInfoPanelWidget : public ToolPanel {
  Q_OBJECT

 public:
  struct Actions {
    std::function<void(const AtomInfoTexts& typed, const AtomInfoTexts& shown)> apply;
    std::function<void()> pressBondButton;
    std::function<void(bool visible)> visibilityChanged;
  };
  AtomInfoPanelWidget(const std::vector<std::u16string>& typeEntries, Actions actions,
                      QWidget* owner);

  // Shows what RefreshAtomInfo composed.
  void Show(const AtomInfoView& view);
  void SetBondButtonLabel(const QString& label);
  // The nine texts as the fields hold them, each cut to the panel's limit.
  AtomInfoTexts Texts() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QLineEdit* AddField(const char* objectName, bool digitsOnly);

  std::vector<std::u16string> typeEntries_;
  Actions actions_;
  AtomInfoTexts shown_;  // what the last Show put into the fields
  QLineEdit *id_, *name_, *charge_, *x_, *y_, *z_, *fragmentName_, *fragmentNumber_;
  QComboBox* type_;
  QPushButton* apply_;
  QPushButton* bond_;
};

}  // namespace tf
