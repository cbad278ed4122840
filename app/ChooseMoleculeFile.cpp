#include "app/ChooseMoleculeFile.h"

#include <filesystem>
#include <system_error>

#include "app/DocumentTitle.h"
#include "base/FixedText.h"
#include "io/MoleculeFiles.h"

namespace tf {
namespace {

constexpr std::size_t kLongestPath = kPathCapacity - 1;

bool FileExists(std::u16string_view path) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::path(ToUtf8(path)), error);
}

// Asks about the file a save will write; false: choose again.
bool ConfirmSave(DesktopShell& desktop, const FileDialogRequest& request,
                 std::u16string_view path) {
  const std::u16string name(FileNameOf(path));
  if (!FileExists(path))
    return desktop.AskYesNo(request.title, name + u"\nThis file does not exist.\nCreate the file?");
  return desktop.AskYesNo(request.title, name + u" already exists.\nDo you want to replace it?");
}

}  // namespace

std::u16string SavePath(std::u16string_view path) {
  std::u16string result(path);
  if (result.find(u".pdb") == std::u16string::npos) result += u".pdb";
  return result;
}

std::optional<std::u16string> ChooseMoleculeFile(const Document& document, DesktopShell& desktop,
                                                 bool open) {
  FileDialogRequest request{open, open ? u"Open File" : u"Save File", kPdbFilter, kPdbPattern,
                            std::u16string(TextView(document.filePath))};
  for (;;) {
    const std::optional<std::u16string> chosen = desktop.RunFileDialog(request);
    if (!chosen || chosen->empty()) return std::nullopt;
    const std::u16string path = open ? *chosen : SavePath(*chosen);
    if (path.size() > kLongestPath) {
      desktop.ShowMessageBox(u"Bad file.", u"Message", MessageIcon::Warning);
      return std::nullopt;
    }
    if (open || ConfirmSave(desktop, request, path)) return path;
    request.proposedPath = *chosen;
  }
}

}  // namespace tf
