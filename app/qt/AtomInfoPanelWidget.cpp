#include "app/qt/AtomInfoPanelWidget.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "app/qt/QtText.h"

namespace tf {
namespace {

QGroupBox* Group(const char* title, QWidget* parent, QFormLayout** form) {
  auto* box = new QGroupBox(QString::fromUtf8(title), parent);
  *form = new QFormLayout(box);
  (*form)->setContentsMargins(4, 2, 4, 2);
  (*form)->setVerticalSpacing(2);
  return box;
}

std::u16string Cut(const QString& text) {
  return FromQString(text.left(static_cast<qsizetype>(kAtomInfoTextLimit)));
}

}  // namespace

AtomInfoPanelWidget::AtomInfoPanelWidget(const std::vector<std::u16string>& typeEntries,
                                         Actions actions, QWidget* owner)
    : ToolPanel(actions.visibilityChanged, owner),
      typeEntries_(typeEntries),
      actions_(std::move(actions)) {
  setObjectName("atomInfoPanel");
  setWindowTitle("Atom Information");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(2);

  QFormLayout* form = nullptr;
  QGroupBox* general = Group("General", this, &form);
  id_ = AddField("id", true);
  name_ = AddField("name", false);
  charge_ = AddField("charge", false);
  form->addRow("ID", id_);
  form->addRow("Name", name_);
  form->addRow("Charge", charge_);
  type_ = new QComboBox(this);
  type_->setObjectName("type");
  for (const std::u16string& entry : typeEntries_) type_->addItem(ToQString(entry));
  type_->setCurrentText(ToQString(kMixedEntry));
  type_->setMaxVisibleItems(12);
  type_->setFixedWidth(180);
  type_->view()->setMinimumWidth(type_->view()->sizeHintForColumn(0) + 24);
  form->addRow(type_);
  layout->addWidget(general);

  QGroupBox* coordinates = Group("Coordinates", this, &form);
  x_ = AddField("x", false);
  y_ = AddField("y", false);
  z_ = AddField("z", false);
  form->addRow("X", x_);
  form->addRow("Y", y_);
  form->addRow("Z", z_);
  layout->addWidget(coordinates);

  QGroupBox* fragment = Group("Molecule/Fragment", this, &form);
  fragmentName_ = AddField("fragmentName", false);
  fragmentNumber_ = AddField("fragmentNumber", true);
  form->addRow("Name", fragmentName_);
  form->addRow("Number", fragmentNumber_);
  layout->addWidget(fragment);

  auto* buttons = new QHBoxLayout;
  apply_ = new QPushButton("Apply", this);
  apply_->setObjectName("apply");
  apply_->setDefault(true);
  bond_ = new QPushButton("Add Bond", this);
  bond_->setObjectName("bond");
  bond_->setEnabled(false);
  buttons->addWidget(apply_);
  buttons->addWidget(bond_);
  layout->addLayout(buttons);

  connect(apply_, &QPushButton::clicked, this, [this] { actions_.apply(Texts(), shown_); });
  connect(bond_, &QPushButton::clicked, this, [this] { actions_.pressBondButton(); });
  adjustSize();
  setFixedSize(size());
}

QLineEdit* AtomInfoPanelWidget::AddField(const char* objectName, bool digitsOnly) {
  auto* field = new QLineEdit(this);
  field->setObjectName(objectName);
  field->setMaxLength(static_cast<int>(kAtomInfoTextLimit));
  field->setFixedWidth(100);
  if (digitsOnly)
    field->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), field));
  return field;
}

void AtomInfoPanelWidget::Show(const AtomInfoView& view) {
  const AtomInfoTexts& texts = view.texts;
  shown_ = texts;
  id_->setText(ToQString(texts.id));
  name_->setText(ToQString(texts.name));
  charge_->setText(ToQString(texts.charge));
  x_->setText(ToQString(texts.x));
  y_->setText(ToQString(texts.y));
  z_->setText(ToQString(texts.z));
  fragmentName_->setText(ToQString(texts.fragmentName));
  fragmentNumber_->setText(ToQString(texts.fragmentNumber));
  for (QLineEdit* field : {id_, x_, y_, z_}) field->setEnabled(view.idAndCoordinatesEnabled);
  if (view.typeEntry >= 0) type_->setCurrentIndex(view.typeEntry);
  if (!view.bondButtonLabel.empty()) bond_->setText(ToQString(view.bondButtonLabel));
  bond_->setEnabled(view.bondButtonEnabled);
}

void AtomInfoPanelWidget::SetBondButtonLabel(const QString& label) {
  bond_->setText(label);
}

AtomInfoTexts AtomInfoPanelWidget::Texts() const {
  return {Cut(id_->text()),
          Cut(name_->text()),
          Cut(charge_->text()),
          Cut(x_->text()),
          Cut(y_->text()),
          Cut(z_->text()),
          Cut(fragmentName_->text()),
          Cut(fragmentNumber_->text()),
          Cut(type_->currentText())};
}

// Enter presses the focused push button, or "Apply" from any other control;
// Esc does nothing (the panel stays open).
void AtomInfoPanelWidget::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    (button != nullptr && button->isEnabled() ? button : apply_)->click();
    return;
  }
  if (event->key() == Qt::Key_Escape) return;
  QWidget::keyPressEvent(event);
}

}  // namespace tf
