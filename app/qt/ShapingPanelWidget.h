#pragma once
// The Shaping panel: a tool window with one check box per energy term and
// "Apply", which alone hands the boxes' states to the application. Its
// controls take the focus only by a click, so Tab and Enter do nothing here.

#include <array>
#include <functional>

#include "app/ShapingPanel.h"
#include "app/qt/ToolPanel.h"

class QCheckBox;

namespace tf {

class ShapingPanelWidget : public ToolPanel {
  Q_OBJECT

 public:
  struct Actions {
    std::function<void(const ShapingChecks&)> apply;
    std::function<void(bool visible)> visibilityChanged;
  };
  ShapingPanelWidget(const ShapingChecks& checks, Actions actions, QWidget* owner);

  ShapingChecks Checks() const;

 protected:
 private:
  Actions actions_;
  std::array<QCheckBox*, kShapingTermBoxes.size()> boxes_{};
};

}  // namespace tf
