#include "app/qt/ShapingPanelWidget.h"

#include <QCheckBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/qt/QtText.h"

namespace tf {

ShapingPanelWidget::ShapingPanelWidget(const ShapingChecks& checks, Actions actions, QWidget* owner)
    : ToolPanel(actions.visibilityChanged, owner), actions_(std::move(actions)) {
  setObjectName("shapingPanel");
  setWindowTitle("Shaping");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 6, 8, 6);
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    auto* box = new QCheckBox(ToQString(kShapingTermBoxes[i].label), this);
    box->setObjectName(QString("term%1").arg(kShapingTermBoxes[i].id));
    box->setChecked(checks[i]);
    box->setFocusPolicy(Qt::ClickFocus);
    layout->addWidget(box);
    boxes_[i] = box;
  }
  auto* apply = new QPushButton("Apply", this);
  apply->setObjectName("apply");
  apply->setFocusPolicy(Qt::ClickFocus);
  layout->addWidget(apply);
  connect(apply, &QPushButton::clicked, this, [this] { actions_.apply(Checks()); });
  adjustSize();
  setFixedSize(size());
}

ShapingChecks ShapingPanelWidget::Checks() const {
  ShapingChecks checks{};
  for (std::size_t i = 0; i < boxes_.size(); ++i) checks[i] = boxes_[i]->isChecked();
  return checks;
}

}  // namespace tf
