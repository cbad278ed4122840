#pragma once
// The About box: the program icon, its name and version, a release line, an
// authors' line, a link to the web site and OK.

#include <QDialog>
#include <functional>

namespace tf {

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  // `openLink` receives the site's address when the link is clicked or
  // activated with Enter.
  AboutDialog(std::function<void(const QString&)> openLink, QWidget* owner);
};

}  // namespace tf
