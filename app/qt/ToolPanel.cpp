#include "app/qt/ToolPanel.h"

#include <QCloseEvent>
#include <QHideEvent>
#include <QShowEvent>

namespace tf {

ToolPanel::ToolPanel(std::function<void(bool visible)> visibilityChanged, QWidget* owner)
    : QWidget(owner, Qt::Tool), visibilityChanged_(std::move(visibilityChanged)) {
  QFont small = font();
  small.setPointSize(8);  // compact, so the panel covers little of the view
  setFont(small);
}

void ToolPanel::closeEvent(QCloseEvent* event) {
  event->ignore();
  hide();
}

// Spontaneous events come from the desktop (the owner minimised or restored),
// not from the program showing or hiding the panel.
void ToolPanel::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) visibilityChanged_(true);
}

void ToolPanel::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (!event->spontaneous()) visibilityChanged_(false);
}

}  // namespace tf
