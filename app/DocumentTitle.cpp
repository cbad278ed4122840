#include "app/DocumentTitle.h"

#include "app/Application.h"
#include "base/FixedText.h"

namespace tf {

std::u16string_view FileNameOf(std::u16string_view path) {
  const std::size_t slash = path.find_last_of(u'/');
  return slash == std::u16string_view::npos ? path : path.substr(slash + 1);
}

std::u16string DocumentName(std::u16string_view path) {
  return path.empty() ? std::u16string(kNewDocumentName) : std::u16string(FileNameOf(path));
}

std::u16string WindowTitle(std::u16string_view path, bool changed) {
  if (path.empty() && !changed) return kProgramName;
  return (changed ? u"*" : u"") + DocumentName(path) + u" - " + kProgramName;
}

void UpdateWindowTitle(Application& app) {
  app.desktop.SetWindowTitle(WindowTitle(TextView(app.document.filePath), DocumentChanged(app)));
}

}  // namespace tf
