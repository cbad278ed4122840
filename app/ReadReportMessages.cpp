#include "app/ReadReportMessages.h"

#include "app/DocumentTitle.h"
#include "base/FixedText.h"
#include "model/Document.h"

namespace tf {

void ShowReadReport(DesktopShell& desktop, const ReadReport& report, std::u16string_view name) {
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
  const auto number = [](uint32_t n) { return FromUtf8(std::to_string(n)); };
  if (report.moleculesInFile > 1) {
    desktop.ShowMessageBox(std::u16string(name) + u" holds " + number(report.moleculesInFile) +
                               u" molecules; the first was opened.",
                           u"Message", MessageIcon::Information);
  }
  if (report.atomsLeftOut > 0 || report.bondsLeftOut > 0) {
    desktop.ShowMessageBox(number(report.atomsLeftOut) + u" atoms and " +
                               number(report.bondsLeftOut) + u" bonds of " + std::u16string(name) +
                               u" were left out: a molecule holds at most " + number(kMaxAtoms) +
                               u" atoms and " + number(kMaxBonds) + u" bonds.",
                           u"Message", MessageIcon::Information);
  }
}

}  // namespace tf
