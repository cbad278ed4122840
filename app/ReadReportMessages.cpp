#include "app/ReadReportMessages.h"

#include "app/DocumentTitle.h"
#include "base/FixedText.h"
#include "model/Document.h"

namespace tf {

void ShowReadReport(DesktopShell& desktop, const ReadReport& report) {
  if (!report.read) {
    desktop.ShowMessageBox(u"Bad file.", u"Message", MessageIcon::Warning);
    return;
  }
  if (report.stopped) {
    const LineProblem& stop = *report.stopped;
    desktop.ShowMessageBox(u"Reading stopped at line " + FromUtf8(std::to_string(stop.line)) +
                               u" of " + std::u16string(FileNameOf(FromUtf8(stop.file))) + u": " +
                               FromLatin1(stop.text),
                           u"Message", MessageIcon::Warning);
  }
  if (report.atomLimitReached) {
    desktop.ShowMessageBox(u"Too many atoms. Only " + FromUtf8(std::to_string(kMaxAtoms)) +
                               u" atoms have been loaded.",
                           u"Message", MessageIcon::Information);
  }
}

}  // namespace tf
