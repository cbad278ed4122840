#include "app/qt/AboutDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "app/AboutBox.h"
#include "app/qt/Pictures.h"
#include "app/qt/QtText.h"

namespace tf {

AboutDialog::AboutDialog(std::function<void()> openManual, QWidget* owner) : QDialog(owner) {
  setObjectName("aboutBox");
  setWindowTitle("About");
  auto* layout = new QGridLayout(this);
  auto* icon = new QLabel(this);
  icon->setPixmap(ProgramIcon().pixmap(32, 32));
  layout->addWidget(icon, 0, 0, 4, 1, Qt::AlignTop);
  layout->addWidget(new QLabel(ToQString(kAboutProductLine), this), 0, 1);
  layout->addWidget(new QLabel(ToQString(kAboutReleaseLine), this), 1, 1);
  layout->addWidget(new QLabel(ToQString(kAboutAuthorsLine), this), 2, 1);
  auto* link = new QLabel(
      QString("<a href=\"manual\">%1</a>").arg(ToQString(kAboutManualLink).toHtmlEscaped()), this);
  link->setObjectName("link");
  link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  link->setOpenExternalLinks(false);
  connect(link, &QLabel::linkActivated, this, [openManual](const QString&) { openManual(); });
  layout->addWidget(link, 3, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons, 4, 0, 1, 2);
}

}  // namespace tf
