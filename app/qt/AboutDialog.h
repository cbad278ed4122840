#pragma once
// The About box: the program icon, its name and version, a release line, an
// authors' line, a link to the installed manual and OK.

#include <QDialog>
#include <functional>

namespace tf {

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  // `openManual` runs when the link is clicked or activated with Enter.
  AboutDialog(std::function<void()> openManual, QWidget* owner);
};

}  // namespace tf
